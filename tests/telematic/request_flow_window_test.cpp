// The request-flow window and the renunciation window as the user works them: what the list
// shows, the number proposed when the flow date is left, nothing created without a request
// ticked, the requests marked all together or not at all; the renunciation created only after
// "SI", and never for another answer or a flow that cannot be named.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "flow_test_support.h"
#include "store/movements.h"
#include "support/failing_writes.h"
#include "telematic/flow_messages.h"
#include "telematic/register_requests.h"
#include "telematic/renunciation_window.h"
#include "telematic/request_flow_window.h"
#include "ui/text.h"

namespace braxol {
namespace {

using namespace braxol::test;
using namespace braxol::telematic;

class RequestFlows : public FlowTest {
protected:
    void SetUp() override {
        FlowTest::SetUp();
        setToday("20/03/2025");
    }
    RequestFlowRequest flowRequest() {
        RequestFlowRequest r;
        r.folders = work.folders();
        r.company = ReadCompany(work.folders().companyFile()).value();
        r.paths = ReadConfigRecord(work.folders().applFile());
        r.telematic = &telematic;
        r.openTransmission = [this](QWidget*) { ++transmissions; };
        return r;
    }
    TMOVIMENTO addRequest(char kind, const char* title, int numflu = 0) {
        TMOVIMENTO r = NewRequest(kind);
        r.DATMOV = Day(2025, 4, 1);
        r.INTER1 = 518;
        r.ANNOTA.set(title);
        if (kind != kReleaseRequest) {
            r.ANNPRO.set("2024");
            r.NUMPRO.set("2024000007");
        }
        r.NUMFLU = numflu;
        return AddRequest(work.folders().requestsFile(), r);
    }
    std::vector<TMOVIMENTO> requests() const {
        return ReadRecords<TMOVIMENTO>(work.folders().requestsFile(), false);
    }
    int transmissions = 0;
};

TEST_F(RequestFlows, ListsTheUnsentRequestsAllTicked) {
    addRequest('R', "MOSTO di BIRRA", 1);
    addRequest('M', "BIRRA ARTIGIANALE");
    addRequest('F', "MOSTO di BIRRA");
    addRequest('A', "MOSTO di BIRRA");
    WriteFileBytes(signedFiles / "ABCD0320.C04.p7m", "x");
    TFCREAFIRMAINVIARE_TE w(flowRequest());
    ShowActive(&w);
    EXPECT_EQ(w.windowTitle(),
              "Crea il flusso - Firma - Invia le richieste per i Registri Telematici");
    EXPECT_EQ(ListTexts(&w),
              (QStringList{" <MODIFICA> data inizio validità: 01/04/2025 famiglia: 518 anno: 2024 "
                           "prot. 2024000007 BIRRA ARTIGIANALE",
                           " <CHIUSURA> data inizio validità: 01/04/2025 famiglia: 518 anno: 2024 "
                           "prot. 2024000007 MOSTO di BIRRA",
                           " <ANNULLA RILASCIO> data inizio validità: 01/04/2025 famiglia: 518 "
                           "anno: 2024 prot. 2024000007 MOSTO di BIRRA"}));
    auto* list = ControlAs<QListWidget>(&w, "CELENCO");
    for (int i = 0; i < list->count(); ++i) EXPECT_EQ(list->item(i)->checkState(), Qt::Checked);
    EXPECT_EQ(ControlAs<QLabel>(&w, "LFLUSSO")->text(),
              QString::fromStdString(toSign.string() + "/"));
    EXPECT_EQ(FieldText(&w, "DATFLU"), "20/03/2025");
    EXPECT_EQ(FieldText(&w, "NUMFLU"), "");
    EXPECT_EQ(FocusName(), "DATFLU");
    EXPECT_EQ(ReadRecords<TMOVIMENTO>(work.folders().inTemp(kRequestCopiesFileName), false).size(),
              3u);

    // Leaving the date proposes the day's next number.
    PressEnter(&w);
    EXPECT_EQ(FieldText(&w, "NUMFLU"), "5");

    // Nothing ticked: nothing created.
    Click(&w, "BNESSUNO");
    FocusOn(&w, "BCONF");
    EXPECT_EQ(seams.messages.texts(), QStringList{kNoRequestSelected});
    EXPECT_EQ(FocusName(), "CELENCO");
    EXPECT_TRUE(FolderNames(toSign).empty());
    Click(&w, "BTUTTI");
    for (int i = 0; i < list->count(); ++i) EXPECT_EQ(list->item(i)->checkState(), Qt::Checked);
}

// Marking the requests fails: none of them counts as sent, and the user is told.
TEST_F(RequestFlows, RequestsAreMarkedAllTogetherOrNotAtAll) {
    addRequest('R', "MOSTO di BIRRA");
    addRequest('F', "MOSTO di BIRRA");
    const std::string before = FileBytes(work.folders().requestsFile());
    TFCREAFIRMAINVIARE_TE w(flowRequest());
    ShowActive(&w);
    {
        FailingWrites failing(work.folders().requestsFile());
        TypeFlowAndConfirm(&w, "20/03/2025", 1, true);
        EXPECT_EQ(failing.failures(), 1);
    }
    EXPECT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_EQ(FileBytes(work.folders().requestsFile()), before);
    EXPECT_TRUE(seams.shell.started.empty());
    EXPECT_EQ(transmissions, 0);
    EXPECT_TRUE(w.isVisible());

    // Again, with the disk back: every request marked, the signing program started.
    seams.messages.clear();
    FocusOn(&w, "DATFLU");
    Click(&w, "BCONF");
    EXPECT_FALSE(w.isVisible());
    for (const TMOVIMENTO& r : requests()) {
        EXPECT_EQ(r.NUMFLU, 1);
        EXPECT_EQ(r.DATFLU, Day(2025, 3, 20));
    }
    EXPECT_EQ(seams.shell.started.size(), 1u);
    EXPECT_EQ(transmissions, 1);
}

class Renunciation : public RequestFlows {
protected:
    std::unique_ptr<TFRINUNCIA_RE_TE> open() {
        auto w = std::make_unique<TFRINUNCIA_RE_TE>(flowRequest());
        ShowActive(w.get());
        return w;
    }
};

TEST_F(Renunciation, OpensOnTodayAndWaitsForSI) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(),
              "Rinuncia al Registro Telematico - crea il flusso - Firma - Invia la Rinuncia");
    EXPECT_EQ(FieldText(w.get(), "DATRIN"), "20/03/2025");
    EXPECT_EQ(FieldText(w.get(), "DATFLU"), "20/03/2025");
    EXPECT_EQ(FieldText(w.get(), "NUMFLU"), "");
    EXPECT_EQ(FieldText(w.get(), "ECONF"), "");
    EXPECT_TRUE(ControlAs<QCheckBox>(w.get(), "CFIRMA")->isChecked());
    EXPECT_EQ(FocusName(), "DATRIN");
    EXPECT_EQ(w->findChild<QWidget*>("BCONF"), nullptr);
}

TEST_F(Renunciation, OnlySICreatesIt) {
    const struct {
        const char* typed;
        const char* shown;
    } refused[] = {{"NO", "NO"}, {"S", "S"}, {"", ""}};
    for (const auto& row : refused) {
        SCOPED_TRACE(row.typed);
        auto w = open();
        PressEnter(w.get());  // the renunciation date
        PressEnter(w.get());  // the flow date: the number proposed
        EXPECT_EQ(FieldText(w.get(), "NUMFLU"), "1");
        PressEnter(w.get());
        PressEnter(w.get());
        EXPECT_EQ(FocusName(), "ECONF");
        Type(w.get(), row.typed);
        EXPECT_EQ(FieldText(w.get(), "ECONF"), row.shown);
        PressEnter(w.get());
        EXPECT_EQ(FocusName(), "DATRIN");
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(FolderNames(toSign).empty());
    }
    // "si" becomes "SI" as it is typed.
    auto w = open();
    for (int i = 0; i < 4; ++i) PressEnter(w.get());
    Type(w.get(), "si");
    EXPECT_EQ(FieldText(w.get(), "ECONF"), "SI");
    PressEnter(w.get());
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->created());
    EXPECT_EQ(FolderNames(toSign), std::vector<std::string>{"ABCD0320.C01"});
    EXPECT_EQ(transmissions, 1);
    EXPECT_FALSE(fs::exists(work.folders().requestsFile()));
}

TEST_F(Renunciation, NothingIsCreatedWhenTheFlowCannotBeNamed) {
    {
        // Leaving with "SI" for "Abbandona" is leaving the window.
        auto w = open();
        FocusOn(w.get(), "ECONF");
        Type(w.get(), "SI");
        Click(w.get(), "BABBANDONA");
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(w->created());
    }
    {
        // No number: back to it.
        auto w = open();
        FocusOn(w.get(), "ECONF");
        Type(w.get(), "SI");
        PressEnter(w.get());
        EXPECT_EQ(FocusName(), "NUMFLU");
        EXPECT_TRUE(w->isVisible());
    }
    {
        // A renunciation date that is no date: back to it.
        auto w = open();
        Retype(w.get(), "DATRIN", "31022025");
        FocusOn(w.get(), "ECONF");
        EXPECT_EQ(FocusName(), "DATRIN");
    }
    EXPECT_TRUE(FolderNames(toSign).empty());
    EXPECT_TRUE(seams.messages.texts().isEmpty());
}

}  // namespace
}  // namespace braxol
