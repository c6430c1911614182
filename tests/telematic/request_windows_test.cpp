// The windows of the register requests as the user works them: the release request (its
// proposals, the families it takes, CINVIA, the guard of an untouched window), the protocol
// of a released register (into the request and PROTOCOLLI.TAB), the modification, the closing
// and the cancellation; and the keyboard walks of the windows that open on a chosen request.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "flow_test_support.h"
#include "store/movements.h"
#include "support/qt/next_modal.h"
#include "telematic/assigned_protocol_window.h"
#include "telematic/assigned_protocols.h"
#include "telematic/close_request_window.h"
#include "telematic/modify_request_window.h"
#include "telematic/register_requests.h"
#include "telematic/release_request_window.h"
#include "telematic/request_flow_window.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::telematic;

class RequestWindows : public FlowTest {
protected:
    int flowsOpened = 0;

    RequestWindowContext context(const TMOVIMENTO& chosen = BlankMovement(), QChar mode = {}) {
        RequestWindowContext c;
        c.folders = work.folders();
        c.chosen = chosen;
        c.mode = mode;
        c.openRequestFlow = [this](QWidget*) { ++flowsOpened; };
        return c;
    }
    std::vector<TMOVIMENTO> requests() const {
        return ReadRecords<TMOVIMENTO>(work.folders().requestsFile(), false);
    }
    // A release request sent with flow 1 of 20/03/2025, its protocol not yet recorded.
    TMOVIMENTO sentRelease() {
        TMOVIMENTO r = NewRequest(kReleaseRequest);
        r.DATMOV = Day(2025, 4, 1);
        r.INTER1 = 518;
        r.ANNOTA.set("MOSTO di BIRRA");
        r.DATFLU = Day(2025, 3, 20);
        r.NUMFLU = 1;
        return AddRequest(work.folders().requestsFile(), r);
    }
    // The same with its protocol recorded.
    TMOVIMENTO releasedRegister() {
        TMOVIMENTO r = sentRelease();
        r.ANNPRO.set("2025");
        r.NUMPRO.set("2025000001");
        r.DATFLU = Day(2025, 3, 25);
        EXPECT_TRUE(RecordAssignedProtocol(work.folders(), r));
        return requests().back();
    }
};

TEST_F(RequestWindows, TheReleaseRequestOpensWithItsProposals) {
    TFRICRETE w(context());
    ShowActive(&w);
    EXPECT_EQ(w.windowTitle(), "Richiesta rilascio Registro Telematico");
    EXPECT_EQ(FieldText(&w, "DATMOV"), "15/03/2025");
    EXPECT_EQ(FieldText(&w, "INTER1"), "518");
    EXPECT_EQ(FieldText(&w, "ANNOTA"), "MOSTO di BIRRA");
    EXPECT_TRUE(ControlAs<QCheckBox>(&w, "CINVIA")->isChecked());
    EXPECT_EQ(ControlAs<QCheckBox>(&w, "CINVIA")->text(),
              "Dopo la conferma crea il flusso da inviare al Sistema Telematico");
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_TRUE(w.untouched());
}

TEST(RegisterRequests, FamiliesFromFiveHundredToNineThousandNineHundredNinetyNine) {
    for (int refused : {499, 10000, -500, 0}) EXPECT_FALSE(FamilyAccepted(refused)) << refused;
    for (int accepted : {500, 518, 9999}) EXPECT_TRUE(FamilyAccepted(accepted)) << accepted;
}

TEST_F(RequestWindows, TheReleaseWindowTakesOnlyTheFamiliesOfARegister) {
    const struct {
        const char* typed;
        bool accepted;
        int stored;
    } rows[] = {{"499", false, 0},
                {"-500", false, 0},
                {"500", true, 500},
                {"9999", true, 9999},
                // The field holds four digits: a fifth is not typed.
                {"10000", true, 1000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        fs::remove(work.folders().requestsFile());
        seams.messages.clear();
        TFRICRETE w(context());
        ShowActive(&w);
        Retype(&w, "INTER1", row.typed);
        PressEnter(&w);
        EXPECT_EQ(seams.messages.texts(),
                  row.accepted ? QStringList{} : QStringList{kFamilyRefused});
        EXPECT_EQ(FocusName(), row.accepted ? "ANNOTA" : "INTER1");
        Click(&w, "BCONF");
        if (!row.accepted) {
            EXPECT_EQ(seams.messages.texts(), (QStringList{kFamilyRefused, kFamilyRefused}));
            EXPECT_EQ(FocusName(), "INTER1");
            EXPECT_TRUE(w.isVisible());
            EXPECT_TRUE(requests().empty());
            continue;
        }
        EXPECT_FALSE(w.isVisible());
        ASSERT_EQ(requests().size(), 1u);
        EXPECT_EQ(requests()[0].INTER1, row.stored);
    }
}

// Unticked, the request is stored and waits, unsent, for the request-flow window.
TEST_F(RequestWindows, AReleaseRequestLeftUnsentWithoutCINVIA) {
    NextModal<TFRICRETE> window([](TFRICRETE* w) {
        ShowActive(w);
        Retype(w, "DATMOV", "01042025");
        PressEnter(w);
        PressEnter(w);  // the family
        PressEnter(w);  // the title
        EXPECT_EQ(FocusName(), "CINVIA");
        PressKey(w, Qt::Key_Space);
        PressEnter(w);
        EXPECT_EQ(FocusName(), "BCONF");
        PressEnter(w);
    });
    OpenReleaseRequest(nullptr, context());
    EXPECT_EQ(window.opened(), 1);
    EXPECT_EQ(flowsOpened, 0);
    ASSERT_EQ(requests().size(), 1u);
    const TMOVIMENTO r = requests()[0];
    EXPECT_EQ(r.NUMOPE, 1);
    EXPECT_EQ(r.NUMFLU, 0);
    EXPECT_EQ(r.DATFLU, 0);
    EXPECT_EQ(r.DATMOV, Day(2025, 4, 1));
    EXPECT_EQ(r.TIPREC.str(), "B");
    EXPECT_EQ(r.TIPRIC.str(), "R");
    EXPECT_EQ(r.TIPREG.str(), "F");
    EXPECT_EQ(r.FLAGS1.str(), "S");
    EXPECT_EQ(r.INTER1, 518);
    EXPECT_EQ(r.ANNOTA.view().size(), 250u) << "stored padded";
    EXPECT_EQ(r.ANNOTA.trimmed(), "MOSTO di BIRRA");

    // The request-flow window opened later from the menu lists it.
    RequestFlowRequest flow;
    flow.folders = work.folders();
    TFCREAFIRMAINVIARE_TE list(flow);
    ShowActive(&list);
    EXPECT_EQ(ListTexts(&list),
              QStringList{" <RILASCIO> data inizio validità: 01/04/2025 famiglia: "
                          "518 anno:  prot.  MOSTO di BIRRA"});
}

TEST_F(RequestWindows, WithCINVIATheRequestFlowFollows) {
    sentRelease();
    NextModal<TFRICRETE> window([](TFRICRETE* w) {
        ShowActive(w);
        PressEnter(w);  // touched
        for (int i = 0; i < 4; ++i) PressEnter(w);
    });
    OpenReleaseRequest(nullptr, context());
    EXPECT_EQ(window.opened(), 1);
    EXPECT_EQ(flowsOpened, 1);
    ASSERT_EQ(requests().size(), 2u);
    EXPECT_EQ(requests()[1].NUMOPE, 2);
}

// Reaching the confirm button without a key sends the focus back once; the next time the
// checks run.
TEST_F(RequestWindows, AnUntouchedReleaseWindowGoesBackOnce) {
    TFRICRETE w(context());
    ShowActive(&w);
    for (int i = 0; i < 4; ++i) PressKey(&w, Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "DATMOV");
    EXPECT_FALSE(w.untouched());
    EXPECT_TRUE(requests().empty());
    for (int i = 0; i < 4; ++i) PressKey(&w, Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "BCONF");
    PressKey(&w, Qt::Key_Space);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(requests().size(), 1u);
}

TEST_F(RequestWindows, TheProtocolOfAReleasedRegisterReachesTheTable) {
    const TMOVIMENTO chosen = sentRelease();
    TFPROT_RETE w(context(chosen));
    ShowActive(&w);
    EXPECT_EQ(w.windowTitle(), "Protocollo rilasciato per il Registro Telematico");
    EXPECT_EQ(FieldText(&w, "DATFLU"), "20/03/2025");  // the request's date, later than 06/07/2009
    EXPECT_EQ(FieldText(&w, "PROTOC"), "");
    EXPECT_EQ(FieldText(&w, "ANNOTA"), "MOSTO di BIRRA");
    for (const char* shown : {"DATMOV", "INTER1", "ANNOTA"})
        EXPECT_TRUE(ControlAs<QLineEdit>(&w, shown)->isReadOnly()) << shown;
    EXPECT_EQ(FocusName(), "DATFLU");

    // Without a number nothing is recorded.
    Retype(&w, "DATFLU", "25032025");
    PressEnter(&w);
    PressEnter(&w);
    EXPECT_EQ(seams.messages.texts(), QStringList{kProtocolMissing});
    EXPECT_EQ(FocusName(), "PROTOC");
    Type(&w, "2025000001");
    PressEnter(&w);
    EXPECT_EQ(FocusName(), "BCONF");
    PressEnter(&w);
    EXPECT_TRUE(w.saved());
    EXPECT_FALSE(w.isVisible());

    const TMOVIMENTO r = requests().at(0);
    EXPECT_EQ(r.NUMPRO.trimmed(), "2025000001");
    EXPECT_EQ(r.ANNPRO.str(), "2025");
    EXPECT_EQ(r.DATFLU, Day(2025, 3, 25));
    EXPECT_EQ(r.NUMFLU, 1);
    const auto table = ReadRecords<TTABELLA>(ProtocolTableFile(work.folders()), false);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].text[0].trimmed(), "2025000001");
    EXPECT_EQ(table[0].num[0], Day(2025, 3, 25));
    EXPECT_EQ(table[0].num[1], Day(2025, 4, 1));
}

TEST_F(RequestWindows, TheProtocolWindowShowsWhatTheRequestCarries) {
    TMOVIMENTO chosen = sentRelease();
    chosen.DATFLU = 39000;  // before 06/07/2009: today is proposed
    chosen.NUMPRO.set("77");
    TFPROT_RETE w(context(chosen));
    ShowActive(&w);
    EXPECT_EQ(FieldText(&w, "DATFLU"), "15/03/2025");
    EXPECT_EQ(FieldText(&w, "PROTOC"), "77");
    // Tab alone to the confirm button: back to the date, nothing recorded.
    PressKey(&w, Qt::Key_Tab);
    PressKey(&w, Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "DATFLU");
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(fs::exists(ProtocolTableFile(work.folders())));
}

TEST_F(RequestWindows, AModificationChangesTheRegisterAndAsksForIt) {
    const TMOVIMENTO chosen = releasedRegister();
    NextModal<TFMODPROT_RETE> window([](TFMODPROT_RETE* w) {
        ShowActive(w);
        EXPECT_EQ(w->windowTitle(), "Modiifca Registro Telematico ");
        EXPECT_EQ(FocusName(), "ANNOTA");
        EXPECT_TRUE(ControlAs<QLineEdit>(w, "PROTOC")->isReadOnly());
        EXPECT_EQ(FieldText(w, "PROTOC"), "2025000001");
        EXPECT_EQ(FieldText(w, "DATFLU"), "25/03/2025");
        Retype(w, "ANNOTA", "BIRRA ARTIGIANALE");
        Retype(w, "INTER1", "9999");
        Retype(w, "DATMOV", "02042025");
        PressEnter(w);
        PressEnter(w);
        PressEnter(w);
        PressEnter(w);  // CINVIA
        EXPECT_EQ(FocusName(), "BCONF");
        PressEnter(w);
    });
    OpenModificationRequest(nullptr, context(chosen));
    ASSERT_EQ(window.opened(), 1);
    EXPECT_EQ(flowsOpened, 1);
    const auto all = requests();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].ANNOTA.trimmed(), "BIRRA ARTIGIANALE");
    EXPECT_EQ(all[0].INTER1, 9999);
    EXPECT_EQ(all[0].DATMOV, Day(2025, 4, 2));
    EXPECT_EQ(all[0].NUMFLU, 1) << "the release stays sent";
    const TMOVIMENTO& m = all[1];
    EXPECT_EQ(m.NUMOPE, 2);
    EXPECT_EQ(m.TIPRIC.str(), "M");
    EXPECT_EQ(m.ANNPRO.str(), "2025");
    EXPECT_EQ(m.NUMPRO.trimmed(), "2025000001");
    EXPECT_EQ(m.DATFLU, Day(2025, 3, 25));
    EXPECT_EQ(m.NUMFLU, 0);
    EXPECT_EQ(m.ANNOTA.trimmed(), "BIRRA ARTIGIANALE");
    EXPECT_EQ(m.INTER1, 9999);
    EXPECT_EQ(m.DATMOV, Day(2025, 4, 2));
}

TEST_F(RequestWindows, TheModificationWindowsWalksTypeNothing) {
    const TMOVIMENTO chosen = releasedRegister();
    const std::string before = FileBytes(work.folders().requestsFile());
    {
        // Tab alone: the confirm button sends the untouched window back to the validity start.
        TFMODPROT_RETE w(context(chosen));
        ShowActive(&w);
        PressKey(&w, Qt::Key_Tab);
        EXPECT_EQ(FocusName(), "CINVIA");
        EXPECT_TRUE(w.untouched());
        PressKey(&w, Qt::Key_Tab);
        EXPECT_EQ(FocusName(), "DATMOV");
        EXPECT_TRUE(w.isVisible());
    }
    {
        // Enter alone walks to the confirm button, whose checks pass; nothing is stored.
        TFMODPROT_RETE w(context(chosen));
        ShowActive(&w);
        PressEnter(&w);
        EXPECT_FALSE(w.untouched());
        PressEnter(&w);
        EXPECT_EQ(FocusName(), "BCONF");
        EXPECT_TRUE(w.isVisible());
    }
    EXPECT_TRUE(seams.messages.texts().isEmpty());
    EXPECT_EQ(FileBytes(work.folders().requestsFile()), before);
}

TEST_F(RequestWindows, ClosingAndCancellationCarryTheRegistersProtocol) {
    const TMOVIMENTO chosen = releasedRegister();
    const struct {
        QChar mode;
        const char* caption;
        const char* kind;
    } rows[] = {{'F', "Chiusura del Registro Telematico", "F"},
                {'A', "   Annulla Registro Telematico  ", "A"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        NextModal<TFCHIUANNPROT_RETE> window([&](TFCHIUANNPROT_RETE* w) {
            ShowActive(w);
            EXPECT_EQ(w->windowTitle(), row.caption);
            EXPECT_EQ(ControlAs<QLabel>(w, "Label5")->text(), row.caption);
            for (const char* shown : {"DATMOV", "INTER1", "ANNOTA", "DATFLU", "PROTOC"})
                EXPECT_TRUE(ControlAs<QLineEdit>(w, shown)->isReadOnly()) << shown;
            EXPECT_EQ(FocusName(), "CINVIA");
            PressKey(w, Qt::Key_Space);  // no flow after
            PressEnter(w);
            EXPECT_EQ(FocusName(), "BCONF");
            PressEnter(w);
        });
        OpenClosingRequest(nullptr, context(chosen, row.mode));
        ASSERT_EQ(window.opened(), 1);
        const TMOVIMENTO r = requests().back();
        EXPECT_EQ(r.TIPRIC.str(), row.kind);
        EXPECT_EQ(r.TIPREC.str(), "B");
        EXPECT_EQ(r.ANNPRO.str(), "2025");
        EXPECT_EQ(r.NUMPRO.trimmed(), "2025000001");
        EXPECT_EQ(r.DATMOV, chosen.DATMOV);
        EXPECT_EQ(r.INTER1, 518);
        EXPECT_EQ(r.ANNOTA.trimmed(), "MOSTO di BIRRA");
        EXPECT_EQ(r.NUMFLU, 0);
    }
    EXPECT_EQ(flowsOpened, 0);
    EXPECT_EQ(requests().size(), 3u);
}

}  // namespace
}  // namespace braxol
