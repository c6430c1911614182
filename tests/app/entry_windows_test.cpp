// The keyboard rules that every entry window shares, tried once on each window (one row per
// window, as the menu opens it): restoring a minimised window keeps what was typed; moving about
// with Tab types nothing, so the untouched guard holds and no check speaks; Enter is typing and
// moves on, and never saves from a field; Enter on a grid or a radio group moves on as well.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "production/brew_fixture.h"
#include "production/production_window.h"
#include "production/wash_window.h"
#include "rawmaterials/balance_window.h"
#include "rawmaterials/materials_window.h"
#include "rawmaterials/movement_window.h"
#include "rawmaterials/search_window.h"
#include "rawmaterials/totals_window.h"
#include "setup/beer_types_window.h"
#include "setup/company_window.h"
#include "setup/password_window.h"
#include "setup/paths_window.h"
#include "setup/protocols_window.h"
#include "setup/web_window.h"
#include "support/configuration.h"
#include "tables/codici.h"
#include "tables/codici_nc.h"
#include "tables/strutab.h"
#include "tables/tabaccise.h"
#include "telematic/assigned_protocol_window.h"
#include "telematic/modify_request_window.h"
#include "telematic/register_requests.h"
#include "telematic/release_request_window.h"
#include "tributes/correction_window.h"
#include "tributes/excise_window.h"
#include "tributes/search_window.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::test::brew;
using production::EntryMode;

using Opener = std::function<std::unique_ptr<ui::EntryWindow>(const WorkFolders&)>;

production::EntryRequest BrewRequest(const WorkFolders& folders, EntryMode mode,
                                     const TMOVIMENTO& chosen = BlankMovement()) {
    return {folders, mode, chosen, 800, 600};
}

tables::TableContext Context(const WorkFolders& folders, const QString& table) {
    return {folders, table, false, 800, 600};
}

tributes::TributeRequest TributeRequest(const WorkFolders& folders, QChar mode) {
    tributes::TributeRequest request;
    request.folders = folders;
    request.mode = mode;
    return request;
}

// A release request sent and answered with its protocol, as the protocol and modification
// windows open on it.
telematic::RequestWindowContext RequestContext(const WorkFolders& folders) {
    TMOVIMENTO release = telematic::NewRequest(telematic::kReleaseRequest);
    release.NUMOPE = 1;
    release.DATMOV = Day(2025, 4, 1);
    release.INTER1 = 518;
    release.ANNOTA.set("MOSTO di BIRRA");
    release.DATFLU = Day(2025, 3, 20);
    release.NUMFLU = 1;
    release.NUMPRO.set("2025000001");
    PadMovement(release);
    return {folders, release, QChar(), {}};
}

// The stored production that the change rows open.
TMOVIMENTO StoredProduction() {
    return StoredBrew(1, Day(2025, 3, 10), 1000, 1400);
}

// The stored load that the change row opens.
TMOVIMENTO StoredLoad() {
    TMOVIMENTO r = RawMaterial(Day(2025, 3, 10), "C", "MALTO", 100);
    r.DATDOC = Day(2025, 3, 10);
    r.NUMDOC.set("DDT 1");
    PadMovement(r);
    return Stored(r, 1, 1);
}

struct Row {
    const char* window;
    Opener open;
    const char* field;  // a field to type into
    const char* text;
    // Tab and Enter walks start from a window that waits for its first key (not a change).
    bool walks = true;
};

template <class W, class... Args>
Opener Make(Args... args) {
    return [=](const WorkFolders& folders) -> std::unique_ptr<ui::EntryWindow> {
        return std::make_unique<W>(args(folders)...);
    };
}

const std::vector<Row>& Rows() {
    using namespace production;
    static const std::vector<Row> rows = {
        {"FPRODUZIONE", Make<TFPRODUZIONE>([](auto& f) { return BrewRequest(f, EntryMode::New); }),
         "NUMDOC", "12"},
        {"FPRODUZIONE in modifica", Make<TFPRODUZIONE>([](auto& f) {
             return BrewRequest(f, EntryMode::Change, StoredProduction());
         }),
         "NUMDOC", "3", false},
        {"FLAVAGGIO", Make<TFLAVAGGIO>([](auto& f) { return BrewRequest(f, EntryMode::New); }),
         "ANNOTA", "mensile"},
        {"FDATIAZIENDA", Make<setup::TFDATIAZIENDA>([](auto& f) { return f; }), "DENOM1", " srl"},
        {"FPRODAZ", Make<setup::TFPRODAZ>([](auto& f) { return Context(f, "PRAZ"); }), "LE0",
         "AMBRATA"},
        {"FPROTREGISTRI",
         Make<setup::TFPROTREGISTRI>([](auto& f) { return Context(f, "PROTOCOLLI"); }), "LE0",
         "456"},
        {"FPERCORSI", Make<setup::TFPERCORSI>([](auto& f) { return f; }), "LE0", "/bin/firma"},
        {"FINDWEB", Make<setup::TFINDWEB>([](auto& f) { return f; }), "LE3", "https://x"},
        {"FCAMBIAPSW", Make<setup::TFCAMBIAPSW>([](auto& f) { return f; }), "CITTA2", "segreta123"},
        {"FCODICI", Make<tables::TFCODICI>([](auto& f) { return Context(f, "TA03"); }), "LE1",
         "IT0999"},
        {"FCODICI_NC", Make<tables::TFCODICI_NC>([](auto& f) { return Context(f, "TA20"); }), "ME0",
         "2203"},
        {"FTABACCISE", Make<tables::TFTABACCISE>([](auto& f) { return Context(f, "ACCISE"); }),
         "LE0", "1402"},
        {"FSTRUTAB", Make<tables::TFSTRUTAB>([](auto& f) { return Context(f, ""); }), "E02250",
         "TA99"},
        {"FRICRETE", Make<telematic::TFRICRETE>([](auto& f) { return RequestContext(f); }),
         "ANNOTA", " chiaro"},
        {"FPROT_RETE", Make<telematic::TFPROT_RETE>([](auto& f) { return RequestContext(f); }),
         "PROTOC", "2025000002"},
        // Opened on the title, it sends an untouched window back to the validity start.
        {"FMODPROT_RETE",
         Make<telematic::TFMODPROT_RETE>([](auto& f) { return RequestContext(f); }), "ANNOTA",
         " scuro", false},
        {"FACCISE_DA",
         Make<tributes::TFACCISE_DA>([](auto& f) { return TributeRequest(f, QChar('I')); }),
         "ANNOTA", "nota"},
        {"FRAVVEDIM",
         Make<tributes::TFRAVVEDIM>([](auto& f) { return TributeRequest(f, QChar('I')); }),
         "ANNOTA", "nota"},
        {"FRICREGDER",
         Make<tributes::TFRICREGDER>([](auto& f) { return TributeRequest(f, QChar('T')); }),
         "MDAAL", "11"},
        {"FCARSCAMP", Make<rawmaterials::TFCARSCAMP>([](auto& f) {
             return rawmaterials::MovementRequest{f, false, BlankMovement(), 800, 600};
         }),
         "ANNOTA", "consegna"},
        {"FCARSCAMP in modifica", Make<rawmaterials::TFCARSCAMP>([](auto& f) {
             return rawmaterials::MovementRequest{f, true, StoredLoad(), 800, 600};
         }),
         "NUMDOC", "DDT 2", false},
        {"FMATPRI", Make<rawmaterials::TFMATPRI>([](auto& f) { return Context(f, "MATPRIME"); }),
         "LE1", "ORZO"},
        {"FRICCARSCAMP",
         Make<rawmaterials::TFRICCARSCAMP>([](auto& f) { return Context(f, "MATPRIME"); }),
         "PRODDO", "MALTO"},
        {"FTOTALIMP", Make<rawmaterials::TFTOTALIMP>([](auto& f) { return f; }), "MDAAL", "31"},
        {"FBILANCIO", Make<rawmaterials::TFBILANCIO>([](auto& f) {
             return rawmaterials::BalanceRequest{f, BlankTutente(), "2025"};
         }),
         "VENDUTA", "100"},
    };
    return rows;
}

QString TextOf(QWidget* window, const QString& name) {
    QWidget* w = Control(window, name);
    if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) return memo->toPlainText();
    return {};
}

// Closes every window that opens over the one under test (a list, a preview) and keeps its
// name.
class OtherWindowsClosed {
public:
    explicit OtherWindowsClosed(QWidget* window) {
        QObject::connect(&timer_, &QTimer::timeout, [this, window] {
            auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!other || other == window || !other->isVisible()) return;
            opened << other->objectName();
            other->reject();
            // The window manager gives the window back its activation.
            QApplication::setActiveWindow(window);
        });
        timer_.start(5);
    }
    QStringList opened;

private:
    QTimer timer_;
};

// The files of a folder that hold something; changed() names those written since. The rows
// that a list window shows and the wash product code are work files, written on the way.
class FilledFiles {
public:
    explicit FilledFiles(fs::path root) : root_(std::move(root)), files_(Read(root_)) {}
    std::vector<std::string> changed() const {
        const auto now = Read(root_);
        std::vector<std::string> names;
        for (const auto& [name, bytes] : now) {
            const auto before = files_.find(name);
            if (before == files_.end() || before->second != bytes) names.push_back(name);
        }
        for (const auto& [name, bytes] : files_)
            if (!now.count(name)) names.push_back(name);
        return names;
    }

private:
    static std::map<std::string, std::string> Read(const fs::path& root) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_regular_file() || name == "TABELLA.TXT" || name == "CODLAVAGGI.TXT")
                continue;
            std::string bytes = FileBytes(entry.path());
            if (!bytes.empty()) files[fs::relative(entry.path(), root).string()] = std::move(bytes);
        }
        return files;
    }
    fs::path root_;
    std::map<std::string, std::string> files_;
};

using Names = std::vector<std::string>;

// A work folder with the configuration, the code tables and one stored production.
class EntryWindows : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    std::unique_ptr<ui::EntryWindow> window;

    void SetUp() override {
        const WorkFolders& f = work.folders();
        WriteConfiguration(f);
        CreateMissingStructures(f.datiGen);
        WriteBrewCompany(f, {});
        AddProtocol(f, "123", Day(2024, 12, 10), Day(2024, 1, 1));
        AddRate(f, Day(2020, 1, 1), 2.99);
        AddProductCode(f, kBeerCode);
        AddBeerType(f, "BIONDA", kBeerCode, 1, 12.5);
        WriteMovements(work.registri("2025.RGM"), {StoredProduction()});
        WriteMovements(work.registri("2025.MPR"), {StoredLoad()});
        TTABELLA malto = BlankTabella();
        malto.text[0].set("MALTO");
        malto.text[10].set("MATPRIME");
        InsertTableRecord(TableFile(f.datiGen, "MATPRIME"), malto);
    }
    void Open(const Row& row) {
        seams.messages.clear();
        window = row.open(work.folders());
        ShowActive(window.get());
    }
    // Types the row's text over its field.
    void TypeOver(const Row& row) {
        FocusOn(window.get(), row.field);
        if (auto* line = ControlAs<QLineEdit>(window.get(), row.field)) line->selectAll();
        Type(window.get(), QString::fromUtf8(row.text));
    }
};

TEST_F(EntryWindows, RestoringAMinimisedWindowKeepsTheEntry) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.window);
        Open(row);
        TypeOver(row);
        const QString typed = TextOf(window.get(), row.field);
        ASSERT_TRUE(typed.contains(QString::fromUtf8(row.text).trimmed()));
        ASSERT_FALSE(window->untouched());
        const FilledFiles files(work.root());
        const QStringList shown = seams.messages.texts();

        window->showMinimized();
        Settle();
        window->showNormal();
        ShowActive(window.get());

        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(TextOf(window.get(), row.field), typed);
        EXPECT_EQ(FocusName(), row.field);
        EXPECT_FALSE(window->untouched());
        EXPECT_EQ(seams.messages.texts(), shown);
        EXPECT_EQ(files.changed(), Names{});
    }
}

// Tab moves about without typing: the window waits for its first key on the way to the confirm
// button, its checks keep quiet, the confirm button sends the focus back, and nothing is
// written.
TEST_F(EntryWindows, TabOnlyWalkTypesNothing) {
    for (const Row& row : Rows()) {
        if (!row.walks) continue;
        SCOPED_TRACE(row.window);
        Open(row);
        const QString first = FocusName();
        const FilledFiles files(work.root());
        OtherWindowsClosed others(window.get());
        for (int i = 0; i < 20; ++i) {
            EXPECT_TRUE(window->untouched()) << "on " << FocusName().toStdString();
            PressKey(window.get(), Qt::Key_Tab);
            if (FocusName() == first || FocusName() == "BCONF") break;
        }
        EXPECT_EQ(seams.messages.texts(), QStringList{});
        EXPECT_EQ(others.opened, QStringList{});
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(files.changed(), Names{});
    }
}

// Enter is typing: the first one touches the window. Walking with Enter from the first field
// towards the confirm button runs the checks of the fields but never saves.
TEST_F(EntryWindows, EnterOnlyWalkTouchesTheWindowAndSavesNothing) {
    for (const Row& row : Rows()) {
        if (!row.walks) continue;
        SCOPED_TRACE(row.window);
        Open(row);
        const FilledFiles files(work.root());
        OtherWindowsClosed others(window.get());
        PressEnter(window.get());
        EXPECT_FALSE(window->untouched());
        EXPECT_EQ(others.opened, QStringList{});
        for (int i = 0; i < 20 && FocusName() != "BCONF"; ++i) PressEnter(window.get());
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(files.changed(), Names{});
    }
}

// Enter on a control that is not an edit field moves on, as Tab does, and confirms nothing.
TEST_F(EntryWindows, EnterOnAGridOrARadioGroupMovesOn) {
    auto find = [](const char* name) {
        for (const Row& row : Rows())
            if (QString(row.window) == name) return row;
        ADD_FAILURE() << name;
        return Row{};
    };
    const struct {
        const char* window;
        const char* control;
        const char* next;
    } cases[] = {
        {"FSTRUTAB", "GRIGLIA", "BCONF"},
        {"FRICREGDER", "RREGISTRI_E", "MDADA"},
        {"FRICREGDER", "RREGISTRI_R", "MDADA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " " + c.control);
        const Row row = find(c.window);
        Open(row);
        TypeOver(row);
        const FilledFiles files(work.root());
        OtherWindowsClosed others(window.get());
        FocusOn(window.get(), c.control);
        PressEnter(window.get());
        EXPECT_EQ(FocusName(), c.next);
        EXPECT_EQ(others.opened, QStringList{});
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(files.changed(), Names{});
    }
}

}  // namespace
}  // namespace braxol
