// The entries of the searches, the summary and the production register: each opens its window
// in the mode of the entry; the summary and the register only after the configuration check.

#include <gtest/gtest.h>

#include <QAction>

#include "app/main_window.h"
#include "production/register_window.h"
#include "production/search_window.h"
#include "production/summary_window.h"
#include "support/configuration.h"
#include "support/qt/next_modal.h"
#include "support/qt/scripted_seams.h"
#include "support/temp_folder.h"

namespace braxol {
namespace {

using namespace braxol::test;
using production::SearchKind;

class RegisterEntries : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;
    void SetUp() override { state.folders = work.folders(); }
};

TEST_F(RegisterEntries, SearchesOpenInTheModeOfTheirEntry) {
    app::TFPRINCIPALE main(state);
    struct Case {
        const char* action;
        QChar mode;
        SearchKind kind;
        const char* window;
    } cases[] = {{"Action16", 'P', SearchKind::Productions, "FRICREGC"},
                 {"Action24", 'p', SearchKind::SentProductions, "FRICREGC"},
                 {"Action17", 'L', SearchKind::Washes, "FRICREGL"},
                 {"Action25", 'l', SearchKind::SentWashes, "FRICREGL"},
                 {"Action44", QChar(), SearchKind::All, "FRICTUTTO"}};
    for (const Case& c : cases) {
        std::optional<SearchKind> seen;
        QString name;
        NextModal<production::RegisterSearchWindow> search(
            [&](production::RegisterSearchWindow* w) {
                seen = w->kind();
                name = w->objectName();
                w->reject();
            });
        ASSERT_TRUE(main.action(c.action)->isEnabled()) << c.action;
        main.action(c.action)->trigger();
        EXPECT_EQ(search.opened(), 1) << c.action;
        EXPECT_EQ(seen, c.kind) << c.action;
        EXPECT_EQ(name, c.window) << c.action;
        EXPECT_EQ(state.mode, c.mode) << c.action;
    }
    // The searches need no configuration.
    EXPECT_TRUE(seams.messages.shown().empty());
}

TEST_F(RegisterEntries, SummaryAndRegisterOpenOnlyWithTheConfiguration) {
    {
        app::TFPRINCIPALE main(state);
        for (const char* action : {"Action46", "Action21"}) {
            seams.messages.clear();
            main.action(action)->trigger();
            EXPECT_TRUE(seams.messages.texts().join("|").startsWith(
                "NON SONO STATI COMPILATI I DATI AZIENDALI"))
                << action;
        }
    }
    WriteConfiguration(state.folders);
    app::TFPRINCIPALE main(state);
    NextModal<production::TFRIEPMESE> summary([](production::TFRIEPMESE* w) { w->reject(); });
    main.action("Action46")->trigger();
    EXPECT_EQ(summary.opened(), 1);
    QString title;
    NextModal<production::TFSTAREGCARSCA> reg([&](production::TFSTAREGCARSCA* w) {
        title = w->windowTitle();
        w->reject();
    });
    seams.messages.clear();
    main.action("Action21")->trigger();
    EXPECT_EQ(reg.opened(), 1);
    EXPECT_EQ(title, "Registro delle Produzioni");
    // No protocol in a new work folder: the register warns and still opens.
    EXPECT_TRUE(seams.messages.saw("Manca il protocollo del Registro delle Produzioni"));
}

}  // namespace
}  // namespace braxol
