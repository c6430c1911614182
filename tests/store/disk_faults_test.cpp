// Every writer of the store against every disk fault, injected through the store's write seam
// (a full disk after some bytes, a failing flush, a failing rename, a read-only folder, a file
// moved away between its reading and its writing). Whatever fails: the old file stays whole,
// byte for byte; no lock marker and no half-written file stay beside it; the failure is an
// IoError naming the file, never a silent success.

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "store/config_files.h"
#include "store/io_error.h"
#include "store/lock.h"
#include "store/movements.h"
#include "store/tables.h"
#include "support/failing_writes.h"
#include "support/record_builders.h"
#include "support/scripted_lock_prompt.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using test::Day;
using test::DiskFault;
using test::FailingWrites;
using test::NoSelection;
using test::Production;

TTABELLA TableRecord(std::string_view key, std::int32_t number = 0) {
    TTABELLA r = BlankTabella();
    r.number = number;
    r.text[0].set(key);
    r.text[10].set("PRAZ");
    r.num[kProtocolValidFromSlot] = Day(2025, 1, number + 1);
    PadTabella(r);
    return r;
}

struct Writer {
    std::string name;
    std::string file;  // relative to the work folder
    // Writes what the writer changes in the old content; false for a writer that writes its
    // whole content anew (a configuration record, an import, an export).
    bool changesWhatItRead;
    std::function<void(const test::TempWorkFolder&, const fs::path& file)> write;
};

// The files as they stand before each write.
void PlaceOldFiles(const test::TempWorkFolder& tmp) {
    std::vector<TMOVIMENTO> movements;
    for (int i = 1; i <= 3; ++i)
        movements.push_back(test::Stored(Production(Day(2025, 1, i), i * 10, i * 10 + 5), i, i));
    test::WriteMovements(tmp.registri("2025.RGM"), movements);
    std::string table;
    for (int i = 1; i <= 3; ++i) {
        const TTABELLA r = TableRecord("CHIAVE " + std::to_string(i * 2), i);
        table.append(reinterpret_cast<const char*>(&r), sizeof r);
    }
    for (const char* name : {"PRAZ.TAB", "PROTOCOLLI.TAB"})
        test::WriteFileBytes(tmp.datiGen(name), table);
    test::WriteFileBytes(tmp.datiGen("PRAZ.CSV"), "NUOVA;descrizione;;X;\r\nALTRA;;;;\r\n");
    TUTENTE company = BlankTutente();
    company.DENOM1.set("BIRRIFICIO VECCHIO");
    WriteCompany(tmp.datiGen("UTENTE.001"), company);
    TTABELLA config = BlankTabella();
    config.text[0].set("/vecchia/cartella/");
    WriteConfigRecord(tmp.root() / "APPL.CFG", config);
    WriteReleaseDate(tmp.datiGen("VERS_ZYMOTEC.DAT"), Day(2024, 5, 1));
}

std::vector<Writer> Writers() {
    auto movement = [](auto op) {
        return [op](const test::TempWorkFolder&, const fs::path& file) { op(file); };
    };
    return {
        {"aggiunta", "REGISTRI/2025.RGM", true, movement([](const fs::path& f) {
             AddMovement(f, Production(Day(2025, 2, 1), 40, 45), NoSelection());
         })},
        {"cancellazione", "REGISTRI/2025.RGM", true,
         movement([](const fs::path& f) { DeleteMovement(2, f); })},
        {"riscrittura", "REGISTRI/2025.RGM", true, movement([](const fs::path& f) {
             WithMovementFile(f, [](MovementFile& file) {
                 TMOVIMENTO r = file.records()[1];
                 r.NUMFLU = 7;
                 file.RewriteInPlace(1, r);
                 file.save();
             });
         })},
        {"inserimento", "REGISTRI/2025.RGM", true, movement([](const fs::path& f) {
             WithMovementFile(f, [](MovementFile& file) {
                 file.InsertAt(1, test::Stored(Production(Day(2025, 1, 2), 12, 13), 4, 4));
                 file.save();
             });
         })},
        {"annullamento", "REGISTRI/2025.RGM", true, movement([](const fs::path& f) {
             CancelOrRectify(f, ScanMovements(f)[0], Production(Day(2025, 1, 1), 10, 15, "ANN"),
                             RectifyMode::CancelOnly);
         })},
        {"rettifica", "REGISTRI/2025.RGM", true, movement([](const fs::path& f) {
             CancelOrRectify(f, ScanMovements(f)[0], Production(Day(2025, 1, 1), 10, 16, "RET"),
                             RectifyMode::Rectify);
         })},
        {"dati ditta", "DATI_GEN/UTENTE.001", false,
         [](const test::TempWorkFolder&, const fs::path& f) {
             TUTENTE company = BlankTutente();
             company.DENOM1.set("BIRRIFICIO NUOVO");
             WriteCompany(f, company);
         }},
        {"configurazione", "APPL.CFG", false,
         [](const test::TempWorkFolder&, const fs::path& f) {
             TTABELLA config = BlankTabella();
             config.text[0].set("/nuova/cartella/");
             WriteConfigRecord(f, config);
         }},
        {"versione", "DATI_GEN/VERS_ZYMOTEC.DAT", false,
         [](const test::TempWorkFolder&, const fs::path& f) {
             WriteReleaseDate(f, Day(2025, 6, 1));
         }},
        {"tabella: inserimento", "DATI_GEN/PRAZ.TAB", true,
         [](const test::TempWorkFolder&, const fs::path& f) {
             InsertTableRecord(f, TableRecord("CHIAVE 3"));
         }},
        {"tabella: inserimento per data", "DATI_GEN/PROTOCOLLI.TAB", true,
         [](const test::TempWorkFolder&, const fs::path& f) {
             InsertTableRecordByDate(f, TableRecord("P"), kProtocolValidFromSlot);
         }},
        {"tabella: cancellazione", "DATI_GEN/PRAZ.TAB", true,
         [](const test::TempWorkFolder&, const fs::path& f) { DeleteTableRecord(2, f); }},
        {"tabella: importazione", "DATI_GEN/PRAZ.TAB", false,
         [](const test::TempWorkFolder& tmp, const fs::path&) {
             ImportTableCsv(tmp.folders().datiGen, "PRAZ");
         }},
    };
}

// The names beside the data files that are neither data nor the fixture's.
std::vector<std::string> Debris(const test::TempWorkFolder& tmp) {
    std::vector<std::string> debris;
    for (const fs::path& folder : {tmp.root(), tmp.folders().datiGen, tmp.folders().registri})
        for (const auto& name : test::FolderNames(folder))
            if (name.find('$') != std::string::npos || name.find(".~") != std::string::npos)
                debris.push_back(name);
    return debris;
}

TEST(DiskFaults, EveryWriterKeepsTheOldFileUnderEveryFault) {
    test::ScriptedLockPrompt prompt;  // no waits expected: any marker left would show here
    test::ScopedLockPrompt installed(prompt);
    std::map<std::string, std::map<DiskFault, std::string>> table;
    for (const Writer& writer : Writers()) {
        for (const DiskFault fault : test::kAllDiskFaults) {
            SCOPED_TRACE(writer.name + " / " + test::DiskFaultName(fault));
            test::TempWorkFolder tmp;
            PlaceOldFiles(tmp);
            const fs::path file = tmp.root() / writer.file;
            const std::string before = test::FileBytes(file);
            ASSERT_FALSE(before.empty());

            // A writer that writes its whole content anew simply writes it again where the old
            // file was moved away: nothing of it was to be kept.
            const bool mustFail = fault != DiskFault::Vanished || writer.changesWhatItRead;
            std::string outcome;
            {
                FailingWrites faults(file, fault);
                try {
                    writer.write(tmp, file);
                    outcome = "scritto";
                } catch (const IoError& e) {
                    outcome = "errore";
                    EXPECT_NE(e.italianMessage().find(file.filename().string()), std::string::npos)
                        << e.italianMessage();
                    EXPECT_EQ(e.italianMessage().rfind("ERRORE DI LETTURA/SCRITTURA SUL FILE ", 0),
                              0u);
                }
                EXPECT_GE(faults.failures(), 1) << "the fault never struck";
            }
            EXPECT_EQ(outcome, mustFail ? "errore" : "scritto");
            if (fault == DiskFault::Vanished) {
                EXPECT_EQ(test::FileBytes(FailingWrites::vanishedTo(file)), before)
                    << "the file moved away is untouched";
                EXPECT_EQ(fs::exists(file), !mustFail)
                    << "a changed copy of a vanished file is not created anew";
            } else {
                EXPECT_EQ(test::FileBytes(file), before) << "the old file stays byte for byte";
            }
            EXPECT_EQ(Debris(tmp), std::vector<std::string>{}) << "markers or temporaries left";
            EXPECT_TRUE(prompt.calls().empty());
            table[writer.name][fault] = testing::Test::HasFailure() ? "NO" : outcome;
        }
    }
    // The table, for the record of the run.
    std::cout << "[ faults   ] writer";
    for (const DiskFault fault : test::kAllDiskFaults) std::cout << " | " << DiskFaultName(fault);
    std::cout << "\n";
    for (const auto& [name, row] : table) {
        std::cout << "[ faults   ] " << name;
        for (const auto& [fault, outcome] : row) std::cout << " | " << outcome;
        std::cout << "\n";
    }
}

}  // namespace
}  // namespace braxol
