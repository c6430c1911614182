// The detach window as the user works it: a flow's records listed by date and number,
// unticked; "SI" typed in upper case and the field left takes the flow's stamp off the ticked
// records, which the flow window then lists again; anything else detaches nothing.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>

#include "flow_test_support.h"
#include "production/deletion_window.h"
#include "store/movements.h"
#include "telematic/detach_window.h"
#include "telematic/flow_messages.h"

namespace braxol::test {
namespace {

using telematic::kDetached;
using telematic::TFCANCFLUSSO;

class DetachWindow : public FlowTest {
protected:
    const double flowDay = Day(2025, 3, 15);
    std::vector<TMOVIMENTO> registers;
    std::vector<TMOVIMENTO> tributes;

    static TMOVIMENTO Sent(TMOVIMENTO r, double date, int number) {
        r.DATFLU = date;
        r.NUMFLU = number;
        return r;
    }

    void SetUp() override {
        FlowTest::SetUp();
        setToday("20/03/2025");
        workingYear = "2025";
        // Flow 3 of 15/03/2025: a production, a wash stamped with a time of day, a record E;
        // around them a wash of flow 2 and an unsent wash.
        TMOVIMENTO production = Stored(Production(Day(2025, 3, 14), 100, 1100), 1, 1);
        production.NUMDOC.set("12");
        production.ACCISA = 358.8;
        registers = {Sent(production, flowDay, 3),
                     Sent(Stored(Wash(Day(2025, 3, 14), 1100, 1150), 2, 2), flowDay + 0.3, 3),
                     Sent(Stored(Wash(Day(2025, 3, 13), 1050, 1100), 3, 3), flowDay, 2),
                     Stored(Wash(Day(2025, 3, 16), 1150, 1200), 4, 4)};
        TMOVIMENTO e = Tribute("E", "02", 717.6);
        e.ANNPRO.set("2025");
        tributes = {Sent(Stored(e, 1, 1), flowDay, 3)};
        WriteMovements(rgm(2025), registers);
        WriteMovements(der(2025), tributes);
    }

    std::unique_ptr<TFCANCFLUSSO> openWindow() {
        auto w =
            std::make_unique<TFCANCFLUSSO>(telematic::DetachContext{work.folders(), workingYear});
        ShowActive(w.get());
        return w;
    }
    // The flow's date stays today's: typed anew, then its number.
    static void ListFlow(QWidget* w, const QString& date, int number) {
        Retype(w, "MDARI", date);
        PressEnter(w);
        Retype(w, "INUCO", QString::number(number));
        PressEnter(w);
    }
    static QListWidget* List(QWidget* w) { return ControlAs<QListWidget>(w, "CELENCO"); }
    static QStringList Rows(QWidget* w) {
        QStringList rows;
        for (int i = 0; i < List(w)->count(); ++i) rows << List(w)->item(i)->text();
        return rows;
    }
    static void Tick(QWidget* w, const std::vector<int>& items) {
        for (int i : items) List(w)->item(i)->setCheckState(Qt::Checked);
    }
    // Types the answer into ECONF and leaves it with Enter.
    static void Answer(QWidget* w, const QString& answer) {
        FocusOn(w, "ECONF");
        Type(w, answer);
        PressEnter(w);
    }
    fs::path copiesFile() const { return work.folders().inTemp(production::kDeletionFileName); }
};

TEST_F(DetachWindow, OpensOnTodayWithNothingListedAndNothingToAnswer) {
    auto w = openWindow();
    EXPECT_EQ(w->windowTitle(), "RIATTIVA I RECORD ASSOCIATI AD UN FLUSSO");
    EXPECT_EQ(ControlAs<QLineEdit>(w.get(), "LANNO")->text(), "2025");
    EXPECT_EQ(ControlAs<QLineEdit>(w.get(), "MDARI")->text(), "20/03/2025");
    EXPECT_EQ(ControlAs<QLineEdit>(w.get(), "INUCO")->text(), "");
    EXPECT_EQ(ControlAs<QLineEdit>(w.get(), "ECONF")->maxLength(), 2);
    EXPECT_TRUE(Rows(w.get()).isEmpty());
    EXPECT_TRUE(fs::exists(copiesFile()));
    EXPECT_EQ(fs::file_size(copiesFile()), 0u);
    EXPECT_EQ(FocusName(), "MDARI");
    // Untouched, the answer field sends back to the date; with nothing listed, to the list.
    FocusOn(w.get(), "ECONF");
    Settle();
    EXPECT_EQ(FocusName(), "MDARI");
    Type(w.get(), "20032025");
    FocusOn(w.get(), "ECONF");
    Settle();
    EXPECT_EQ(FocusName(), "CELENCO");
}

TEST_F(DetachWindow, ListsTheFlowsRecordsUntickedNumberedFromTwo) {
    auto w = openWindow();
    ListFlow(w.get(), "15032025", 3);
    EXPECT_EQ(Rows(w.get()),
              QStringList({"2 | Produzione del 14/03/2025 <INS>  doc.12 del 14/03/2025 Litri 1.000 "
                           "Gr. 12,5 Accise 358,8 BIONDA",
                           "3 | Lavaggio del 14/03/2025 <INS>  misuratore dal 1100 al 1150",
                           "4 | 2025 02 I Riepilogo accisa | Importo 717,60"}));
    for (int i = 0; i < List(w.get())->count(); ++i)
        EXPECT_EQ(List(w.get())->item(i)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(SameBytes(ReadRecords<TMOVIMENTO>(copiesFile(), false),
                          {registers[0], registers[1], tributes[0]}));
    Click(w.get(), "BTUTTI");
    EXPECT_EQ(List(w.get())->item(2)->checkState(), Qt::Checked);

    // Another number, a number that is no flow, another year.
    Retype(w.get(), "INUCO", "2");
    PressEnter(w.get());
    EXPECT_EQ(Rows(w.get()).size(), 1);
    Retype(w.get(), "INUCO", "0");
    PressEnter(w.get());
    EXPECT_EQ(FocusName(), "INUCO");
    Retype(w.get(), "INUCO", "3");
    PressEnter(w.get());
    Retype(w.get(), "LANNO", "2024");
    PressEnter(w.get());
    EXPECT_EQ(workingYear, "2024");
    EXPECT_TRUE(Rows(w.get()).isEmpty());
    EXPECT_EQ(fs::file_size(copiesFile()), 0u);
    Retype(w.get(), "LANNO", "1999");
    PressEnter(w.get());
    EXPECT_EQ(FocusName(), "LANNO");
    EXPECT_EQ(workingYear, "2024");
}

struct DetachCase {
    const char* what;
    const char* answer;
    std::vector<int> ticked;
    bool leaveByButton;
    int detached;  // records that lose the stamp
    QStringList messages;
    bool closes;
};

TEST_F(DetachWindow, OnlySiDetachesTheTickedRecords) {
    const DetachCase cases[] = {
        {"SI", "SI", {0, 2}, false, 2, {kDetached}, true},
        {"si", "si", {0, 2}, false, 0, {}, false},
        {"Si", "Si", {0, 2}, false, 0, {}, false},
        {"nothing ticked", "SI", {}, false, 0, {}, true},
        {"SI then Abbandona", "SI", {0, 2}, true, 0, {}, true},
    };
    for (const DetachCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteMovements(rgm(2025), registers);
        WriteMovements(der(2025), tributes);
        seams.messages.clear();
        auto w = openWindow();
        ListFlow(w.get(), "15032025", 3);
        Tick(w.get(), c.ticked);
        if (c.leaveByButton) {
            FocusOn(w.get(), "ECONF");
            Type(w.get(), c.answer);
            Click(w.get(), "BABBANDONA");
        } else {
            Answer(w.get(), c.answer);
        }
        EXPECT_EQ(seams.messages.texts(), c.messages);
        EXPECT_EQ(w->isVisible(), !c.closes);
        if (!c.closes) {
            EXPECT_EQ(FocusName(), "CELENCO");
        }

        std::vector<TMOVIMENTO> expectedRegisters = registers, expectedTributes = tributes;
        if (c.detached > 0) {
            expectedRegisters[0] = Sent(registers[0], 0, 0);
            expectedTributes[0] = Sent(tributes[0], 0, 0);
        }
        EXPECT_TRUE(SameBytes(ScanMovements(rgm(2025)), expectedRegisters));
        EXPECT_TRUE(SameBytes(ScanMovements(der(2025)), expectedTributes));
    }
}

// The detached records are offered again by the flow window; the one left in the flow is not.
TEST_F(DetachWindow, TheFlowWindowListsTheDetachedRecords) {
    auto w = openWindow();
    ListFlow(w.get(), "15032025", 3);
    Tick(w.get(), {1, 2});
    Answer(w.get(), "SI");
    ASSERT_EQ(seams.messages.texts(), QStringList{kDetached});

    telematic::TFCREAFIRMAINVIAREGISTRO flow(request());
    ShowActive(&flow);
    EXPECT_EQ(ListTexts(&flow),
              QStringList({"Lavaggio del 14/03/2025 <INS>  misuratore dal 1100 al 1150",
                           "Lavaggio del 16/03/2025 <INS>  misuratore dal 1150 al 1200",
                           "2025 02 <INS>  Riepilogo accisa | Importo 717,60"}));
}

}  // namespace
}  // namespace braxol::test
