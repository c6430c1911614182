#pragma once
// What the flow tests share: a work folder whose configuration passes the checks, with real
// signing folders; the company of the golden files; records read from JSON lines (the format
// of braxol-records); the flow window's request; and the flow window worked by keyboard.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "record_json.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "support/configuration.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/record_builders.h"
#include "support/temp_folder.h"
#include "telematic/flow_window.h"

namespace braxol::test {

namespace fs = std::filesystem;

inline fs::path GoldenFolder() {
    return fs::path(BRAXOL_TELEMATIC_GOLDEN);
}

// The records of a file of JSON lines, as braxol-records loads them.
inline std::vector<TMOVIMENTO> MovementsFromJson(const fs::path& file) {
    std::vector<TMOVIMENTO> records;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        TMOVIMENTO r;
        records::RecordFromJson(records::RecordKind::Movement, nlohmann::json::parse(line),
                                reinterpret_cast<std::byte*>(&r));
        records.push_back(r);
    }
    return records;
}

// The company of the golden files: user code ABCD, excise code IT00AOA12345B.
inline TUTENTE GoldenCompany() {
    std::ifstream in(GoldenFolder() / "UTENTE.jsonl");
    std::string line;
    std::getline(in, line);
    TUTENTE c;
    records::RecordFromJson(records::RecordKind::Company, nlohmann::json::parse(line),
                            reinterpret_cast<std::byte*>(&c));
    return c;
}

// A case of golden/<name>/: flow.json (what the user does) with the input files, and the
// expected flow file.
struct GoldenCase {
    fs::path folder;
    nlohmann::json flow;
    std::vector<int> unticked() const {
        return flow.contains("unchecked") ? flow.at("unchecked").get<std::vector<int>>()
                                          : std::vector<int>{};
    }
    bool sign() const { return flow.value("sign", true); }
    // The expected flow: the one file of the folder that is not an input.
    std::string expectedName() const {
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".json" && ext != ".jsonl") return entry.path().filename().string();
        }
        return {};
    }
};

inline GoldenCase ReadGoldenCase(const std::string& name) {
    GoldenCase c{GoldenFolder() / name, {}};
    std::ifstream in(c.folder / "flow.json");
    c.flow = nlohmann::json::parse(in);
    return c;
}

// What a line edit of the window shows.
inline QString FieldText(QWidget* window, const char* name) {
    return ControlAs<QLineEdit>(window, name)->text();
}

inline double DateOf(const std::string& text) {
    return ParseDate(text).value();
}

class FlowTest : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    QString workingYear;
    telematic::TelematicState telematic;
    fs::path toSign;
    fs::path signedFiles;
    std::string signingProgram = "/opt/firma/FirmaVerifica";

    void SetUp() override {
        toSign = work.root() / "firma" / "DAFIRMARE";
        signedFiles = work.root() / "firma" / "FIRMATI";
        fs::create_directories(toSign);
        fs::create_directories(signedFiles);
        writeConfiguration();
    }

    // The configuration of the work folder, the company of the golden files.
    void writeConfiguration() {
        CompleteConfiguration c;
        c.signingProgram = signingProgram;
        c.toSignFolder = toSign.string() + "/";
        c.signedFolder = signedFiles.string() + "/";
        WriteConfiguration(work.folders(), c);
        TUTENTE company = GoldenCompany();
        WriteCompany(work.folders().companyFile(), company);
    }

    void setToday(const std::string& date) {
        const auto c = CivilFromDate(DateOf(date)).value();
        seams.clock.current = QDateTime(QDate(c.year, c.month, c.day), QTime(10, 0));
    }

    telematic::FlowWindowRequest request() {
        telematic::FlowWindowRequest r;
        r.folders = work.folders();
        r.company = ReadCompany(work.folders().companyFile()).value();
        r.paths = ReadConfigRecord(work.folders().applFile());
        r.workingYear = &workingYear;
        r.telematic = &telematic;
        return r;
    }

    fs::path rgm(int year) const { return YearFile(work.folders().registri, year, ".RGM"); }
    fs::path der(int year) const { return YearFile(work.folders().registri, year, ".DER"); }
    fs::path flussati() const { return work.folders().inTemp(telematic::kFlowCopiesFileName); }
    std::vector<TMOVIMENTO> copies() const { return ReadRecords<TMOVIMENTO>(flussati(), false); }

    // The window's list texts.
    static QStringList ListTexts(QWidget* window) {
        QStringList texts;
        auto* list = ControlAs<QListWidget>(window, "CELENCO");
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        return texts;
    }

    // Unticks the items by keyboard: each selected in the list, then Space.
    static void Untick(QWidget* window, const std::vector<int>& items) {
        auto* list = ControlAs<QListWidget>(window, "CELENCO");
        FocusOn(window, "CELENCO");
        for (int i : items) {
            list->setCurrentRow(i);
            PressKey(window, Qt::Key_Space);
        }
    }

    // Types the flow date and number, leaves or unticks "Esegue Firma e Verifica ", and goes
    // on to the confirm button, whose checks run: all by keyboard, from the date field.
    static void TypeFlow(QWidget* window, const QString& date, int number, bool sign) {
        Retype(window, "DATFLU", date);
        PressEnter(window);
        Retype(window, "NUMFLU", QString::number(number));
        PressEnter(window);
        if (!sign) PressKey(window, Qt::Key_Space);
        PressEnter(window);
    }
    // The same, then Enter on the confirm button.
    static void TypeFlowAndConfirm(QWidget* window, const QString& date, int number, bool sign) {
        TypeFlow(window, date, number, sign);
        PressEnter(window);
    }
};

}  // namespace braxol::test
