// The readiness check and the status line on real files of a temporary work folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "app/configuration_check.h"
#include "store/config_files.h"
#include "store/dates.h"
#include "support/configuration.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;

class ConfigurationCheck : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;

    void SetUp() override {
        state.folders = work.folders();
        seams.clock.current = QDateTime(QDate(2025, 6, 30), QTime(9, 0));
    }

    void writeComplete(const std::string& passwordDate, const std::string& address = "") {
        CompleteConfiguration config;
        config.passwordDate = passwordDate;
        config.accessAddress = address;
        WriteConfiguration(state.folders, config);
    }

    std::string daysAgo(int days) { return FormatDate(DateFromCivil(2025, 6, 30) - days); }
};

// Each message says where in the menu the missing piece is filled in.
TEST_F(ConfigurationCheck, EmptyWorkFolderReportsEachMissingPieceOnce) {
    const QString status = app::RefreshStatusLine(state, nullptr);
    EXPECT_EQ(std::filesystem::file_size(state.folders.companyFile()), 608u);
    EXPECT_EQ(seams.messages.texts(),
              (QStringList{"NON SONO STATI COMPILATI I DATI AZIENDALI\n\n"
                           "Dal menu: Dati Aziendali → Dati Fiscali / Anagrafici",
                           "NON SONO STATI INDICATI I PERCORSI DELLE APPLICAZIONI\n\n"
                           "Dal menu: Dati Aziendali → Percorsi di FirmaeVerifica (path)",
                           "NON SONO STATI INDICATI I PERCORSI WEB\n\n"
                           "Dal menu: Dati Aziendali → Indirizzi Web delle Dogane"}));
    EXPECT_TRUE(status.endsWith("   ***  - Mis. Energetico")) << status.toStdString();
    seams.messages.clear();
    EXPECT_FALSE(app::CheckConfiguration(state, nullptr));
    EXPECT_EQ(seams.messages.texts().count(app::kNoCompanyData), 1);
}

// A company file whose presence cannot even be told is an input/output error, reported in the
// error box; the check goes on and the file is left as it is.
TEST_F(ConfigurationCheck, ACompanyFileThatCannotBeTestedIsAnIoError) {
    namespace fs = std::filesystem;
    const fs::path company = state.folders.companyFile();
    struct Case {
        const char* name;
        bool needsPermissions;
        std::function<void()> make, undo;
        std::function<bool()> leftAsItWas;
    } cases[] = {
        {"a link to itself", false, [&] { fs::create_symlink(company.filename(), company); },
         [&] { fs::remove(company); }, [&] { return fs::is_symlink(company); }},
        {"a folder without permissions", true,
         [&] { fs::permissions(state.folders.datiGen, fs::perms::none); },
         [&] { fs::permissions(state.folders.datiGen, fs::perms::owner_all); },
         [&] { return !fs::exists(company); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsPermissions && ::geteuid() == 0) continue;  // root reads every folder
        seams.messages.clear();
        c.make();
        app::RefreshStatusLine(state, nullptr);
        const bool leftAsItWas = c.leftAsItWas();
        c.undo();
        EXPECT_TRUE(leftAsItWas);
        ASSERT_FALSE(seams.messages.shown().empty());
        EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
        EXPECT_TRUE(seams.messages.shown()[0].text.contains("UTENTE.001"));
        EXPECT_TRUE(seams.messages.saw(app::kNoCompanyData));
    }
}

TEST_F(ConfigurationCheck, CompleteConfigurationPassesSilently) {
    writeComplete("");
    EXPECT_TRUE(app::CheckConfiguration(state, nullptr));
    EXPECT_TRUE(seams.messages.shown().empty());
    EXPECT_EQ(state.web.text[3].str(), "https://reale.example/");
    EXPECT_TRUE(app::RefreshStatusLine(state, nullptr).endsWith("   ***  - Contalitri"));
}

TEST_F(ConfigurationCheck, PasswordWarnings) {
    struct Case {
        const char* name;
        std::string date;
        std::vector<int> messagesPerCall;  // over five guarded uses
        QString text;
    } cases[] = {
        {"85 days: five days left, three times",
         daysAgo(85),
         {1, 1, 1, 0, 0},
         "Attenzione la password per il Sistema Telematico scadrà tra 5 giorni"},
        {"91 days: expired every time", daysAgo(91), {1, 1, 1, 1, 1}, app::kPasswordExpired},
        {"90 days: no days left",
         daysAgo(90),
         {1, 1, 1, 0, 0},
         "Attenzione la password per il Sistema Telematico scadrà tra 0 giorni"},
        {"10 days: nothing", daysAgo(10), {0, 0, 0, 0, 0}, ""},
        {"80 days: nothing yet", daysAgo(80), {0, 0, 0, 0, 0}, ""},
        {"empty date", "", {0, 0, 0, 0, 0}, ""},
        {"unparsable date", "31/02/2025", {0, 0, 0, 0, 0}, ""},
        {"garbage", "abc", {0, 0, 0, 0, 0}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeComplete(c.date);
        state.warningCounter = 0;
        for (int expected : c.messagesPerCall) {
            seams.messages.clear();
            EXPECT_TRUE(app::CheckConfiguration(state, nullptr));
            ASSERT_EQ(static_cast<int>(seams.messages.shown().size()), expected);
            if (expected) {
                EXPECT_EQ(seams.messages.texts().front(), c.text);
            }
        }
    }
}

TEST_F(ConfigurationCheck, AccessAddressDefaultOnlyWhenNoneIsThere) {
    writeComplete("", "");
    app::CheckConfiguration(state, nullptr);
    auto stored = ReadCompany(state.folders.companyFile());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->INDACC1.trimmed().size(), 100u);
    EXPECT_EQ(AccessAddress(*stored),
              std::string(app::kDefaultAccessAddress1) + std::string(app::kDefaultAccessAddress2));

    const std::string own = "http://" + std::string(110, 'x');  // 117 characters
    writeComplete("", own);
    app::CheckConfiguration(state, nullptr);
    stored = ReadCompany(state.folders.companyFile());
    EXPECT_EQ(AccessAddress(*stored), own);
}

}  // namespace
}  // namespace braxol
