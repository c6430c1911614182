// Every window of the program at the size it opens with: no caption is cut, no two controls
// share an accelerator, and buttons with the same caption are told apart by their hints.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "preventive/account_window.h"
#include "preventive/pec_account.h"
#include "preventive/preventive_window.h"
#include "preventive/send_window.h"
#include "production/deletion_window.h"
#include "production/movement_chooser.h"
#include "production/production_window.h"
#include "production/register_window.h"
#include "production/search_window.h"
#include "production/summary_window.h"
#include "production/wash_window.h"
#include "rawmaterials/balance_window.h"
#include "rawmaterials/materials_window.h"
#include "rawmaterials/movement_chooser.h"
#include "rawmaterials/movement_window.h"
#include "rawmaterials/search_window.h"
#include "rawmaterials/totals_window.h"
#include "setup/beer_types_window.h"
#include "setup/company_window.h"
#include "setup/info_window.h"
#include "setup/password_window.h"
#include "setup/paths_window.h"
#include "setup/protocols_window.h"
#include "setup/web_window.h"
#include "store/table_structures.h"
#include "support/configuration.h"
#include "support/qt/scripted_seams.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"
#include "tables/codici.h"
#include "tables/codici_nc.h"
#include "tables/listview.h"
#include "tables/strutab.h"
#include "tables/tabaccise.h"
#include "telematic/assigned_protocol_window.h"
#include "telematic/close_request_window.h"
#include "telematic/detach_window.h"
#include "telematic/flow_window.h"
#include "telematic/modify_request_window.h"
#include "telematic/release_request_window.h"
#include "telematic/renunciation_window.h"
#include "telematic/request_flow_window.h"
#include "telematic/signing_clean_window.h"
#include "telematic/transmission_window.h"
#include "telematic/verification_window.h"
#include "tributes/correction_window.h"
#include "tributes/excise_window.h"
#include "tributes/search_window.h"

namespace braxol {
namespace {

using namespace braxol::test;

// The letter after a single "&" of a caption, in lower case; none without one.
QChar Accelerator(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

struct Opened {
    QString name;
    std::unique_ptr<QWidget> window;
};

class WindowCaptions : public ::testing::Test {
protected:
    TempWorkFolder work;
    ScriptedSeams seams;
    app::RunState state;

    void SetUp() override {
        CreateMissingStructures(work.folders().datiGen);
        WriteConfiguration(work.folders());
        state.folders = work.folders();
    }

    // Each window as the menu opens it, in new mode.
    std::vector<Opened> everyWindow() {
        const WorkFolders f = work.folders();
        auto table = [&](const char* name) { return tables::TableContext{f, name, false, 0, 0}; };
        production::EntryRequest entry;
        entry.folders = f;
        production::ChooserRequest chooser;
        chooser.folders = f;
        chooser.mode = 'M';
        chooser.tag = 12;
        production::DeletionRequest deletion;
        deletion.folders = f;
        deletion.tag = 1;
        tributes::TributeRequest tribute;
        tribute.folders = f;
        tributes::TributeRequest search = tribute;
        search.mode = 'T';

        std::vector<Opened> all;
        auto add = [&all](QWidget* w) {
            all.push_back({w->objectName(), std::unique_ptr<QWidget>(w)});
        };
        add(new app::TFPRINCIPALE(state));
        add(new setup::TFDATIAZIENDA(f));
        add(new setup::TFPRODAZ(table("PRAZ")));
        add(new setup::TFPROTREGISTRI(table("PROTOCOLLI")));
        add(new setup::TFPERCORSI(f));
        add(new setup::TFINDWEB(f));
        add(new setup::TFCAMBIAPSW(f));
        add(new setup::TFINFO(f));
        add(new tables::TFCODICI(table("TA03")));
        add(new tables::TFCODICI_NC(table("TA20")));
        add(new tables::TFTABACCISE(table("ACCISE")));
        add(new tables::TFSTRUTAB(table("")));
        add(new tables::TFLISTVIEW(table("TA03")));
        add(new production::TFPRODUZIONE(entry));
        add(new production::TFLAVAGGIO(entry));
        add(new production::TFSCEGLIMOVIMENTO(chooser));
        add(new production::TFCANCMOVIM(deletion));
        add(new tributes::TFACCISE_DA(tribute));
        add(new tributes::TFRAVVEDIM(tribute));
        add(new tributes::TFRICREGDER(search));
        add(new production::TFRICTUTTO({f, QChar()}));
        add(new production::TFRICREGC({f, 'P'}));
        add(new production::TFRICREGL({f, 'L'}));
        add(new production::TFRIEPMESE({f, BlankTutente()}));
        add(new production::TFSTAREGCARSCA({f, BlankTutente()}));
        telematic::FlowWindowRequest flow;
        flow.folders = f;
        add(new telematic::TFCREAFIRMAINVIAREGISTRO(flow));
        add(new telematic::TFCANCELLA_FILE_FIRMA({}));
        add(new telematic::TFTELEMATICO({f, {}, {}, state.telematic, {}, {}}));
        add(new telematic::TFCANCFLUSSO({f, state.workingYear}));
        add(new telematic::TFVERIFICA_FLUSSO(
            {f, BlankTutente(), state.workingYear, state.telematic, {}}));
        add(new rawmaterials::TFCARSCAMP({f, false, BlankMovement(), 0, 0}));
        add(new rawmaterials::TFSCEGLICARSCAMP(f, 0, 0));
        add(new rawmaterials::TFMATPRI(table("MATPRIME")));
        add(new rawmaterials::TFRICCARSCAMP(table("MATPRIME")));
        add(new rawmaterials::TFTOTALIMP(f));
        add(new rawmaterials::TFBILANCIO({f, BlankTutente(), "2025"}));
        add(new preventive::TFPREVENTIVA({f, std::nullopt, 0, 0}));
        add(new preventive::TFACCOUNT_PEC(f));
        // With its account, so that the sending window opens without asking for it.
        preventive::WritePecAccount(f.pecAccountFile(), {.server = "smtps.pec.example",
                                                         .sender = "birrificio@pec.example",
                                                         .password = "x",
                                                         .recipients = "dogana@pec.example"});
        TMOVIMENTO communication = BlankMovement();
        communication.DATMOV = communication.DATDOC = 45732;
        communication.INTER2 = 12;
        add(new preventive::TFINVIA_PEC({f, communication}));
        add(new telematic::TFRICRETE({f, BlankMovement(), QChar(), {}}));
        add(new telematic::TFPROT_RETE({f, BlankMovement(), QChar(), {}}));
        add(new telematic::TFMODPROT_RETE({f, BlankMovement(), QChar(), {}}));
        add(new telematic::TFCHIUANNPROT_RETE({f, BlankMovement(), QChar('F'), {}}));
        add(new telematic::TFCHIUANNPROT_RETE({f, BlankMovement(), QChar('A'), {}}));
        telematic::RequestFlowRequest requestFlow;
        requestFlow.folders = f;
        add(new telematic::TFCREAFIRMAINVIARE_TE(requestFlow));
        add(new telematic::TFRINUNCIA_RE_TE(requestFlow));
        return all;
    }
};

TEST_F(WindowCaptions, NoCaptionIsCut) {
    for (Opened& o : everyWindow()) {
        SCOPED_TRACE(o.name.toStdString());
        o.window->show();
        Settle();
        for (QLabel* label : o.window->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(o.window.get()) || label->text().isEmpty() ||
                !label->pixmap().isNull())
                continue;
            const std::string what =
                label->objectName().toStdString() + ": " + label->text().toStdString();
            if (label->wordWrap()) {
                EXPECT_GE(label->height(), label->heightForWidth(label->width())) << what;
            } else {
                EXPECT_GE(label->width(), label->sizeHint().width()) << what;
                EXPECT_GE(label->height(), label->sizeHint().height()) << what;
            }
        }
        o.window->hide();
    }
}

TEST_F(WindowCaptions, AcceleratorsAreNotSharedAndLookAlikeButtonsAreToldApart) {
    for (Opened& o : everyWindow()) {
        SCOPED_TRACE(o.name.toStdString());
        QMap<QChar, QString> taken;
        auto take = [&](const QString& caption, const QString& control) {
            const QChar letter = Accelerator(caption);
            if (letter.isNull()) return;
            EXPECT_FALSE(taken.contains(letter))
                << "&" << QString(letter).toStdString() << ": " << taken.value(letter).toStdString()
                << " and " << control.toStdString();
            taken.insert(letter, control);
        };
        QMap<QString, QStringList> hintsByCaption;
        for (QAbstractButton* b : o.window->findChildren<QAbstractButton*>()) {
            take(b->text(), b->objectName());
            if (!b->text().isEmpty()) hintsByCaption[b->text()] << b->toolTip();
        }
        for (QLabel* l : o.window->findChildren<QLabel*>())
            if (l->buddy()) take(l->text(), l->objectName());
        for (QGroupBox* g : o.window->findChildren<QGroupBox*>()) take(g->title(), g->objectName());
        for (auto it = hintsByCaption.cbegin(); it != hintsByCaption.cend(); ++it) {
            if (it.value().size() < 2) continue;
            QStringList hints = it.value();
            hints.removeDuplicates();
            EXPECT_EQ(hints.size(), it.value().size())
                << "\"" << it.key().toStdString() << "\" buttons without distinct hints";
            EXPECT_FALSE(hints.contains(QString())) << it.key().toStdString();
        }
    }
}

}  // namespace
}  // namespace braxol
