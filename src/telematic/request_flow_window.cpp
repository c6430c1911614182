#include "telematic/request_flow_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QShowEvent>

#include "store/io_error.h"
#include "store/movements.h"
#include "store/record_file.h"
#include "telematic/finish_stamps.h"
#include "telematic/flow_list.h"
#include "telematic/flow_marking.h"
#include "telematic/request_flow_file.h"
#include "telematic/request_outcome.h"
#include "telematic/signing_start.h"
#include "telematic/tick_list.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::telematic {

TFCREAFIRMAINVIARE_TE::TFCREAFIRMAINVIARE_TE(RequestFlowRequest request, QWidget* parent)
    : ui::EntryWindow(parent), request_(std::move(request)), choice_(this) {
    setObjectName("FCREAFIRMAINVIARE_TE");
    setWindowTitle(
        QStringLiteral("Crea il flusso - Firma - Invia le richieste per i Registri Telematici"));
    choice_.layOut();
    resize(900, 400);
    setFirstField(choice_.date());
    choice_.confirm()->setChecks([this] { return checks(); });
    choice_.confirm()->setSave([this] { create(); });
    ui::OnFieldExit(choice_.date(), [this] { dateExit(); });
}

TFCREAFIRMAINVIARE_TE::~TFCREAFIRMAINVIARE_TE() {
    ui::StopFieldExits(this);
}

void TFCREAFIRMAINVIARE_TE::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFCREAFIRMAINVIARE_TE::open() {
    target_.reset();
    // Requests whose marking was interrupted are marked first: they are not unsent.
    FinishInterruptedStampsOrTell(this, request_.folders);
    choice_.folder()->setText(QString::fromStdString(ToSignFolder(request_.paths).string()));
    choice_.date()->setDate(ui::Today());
    choice_.number()->clear();
    choice_.sign()->setChecked(true);
    load();
    choice_.date()->setFocus(Qt::OtherFocusReason);
    choice_.date()->setCursorPosition(0);
}

void TFCREAFIRMAINVIARE_TE::load() {
    QListWidget* list = choice_.list();
    list->clear();
    listed_.clear();
    try {
        for (const TMOVIMENTO& r : ScanMovements(request_.folders.requestsFile())) {
            if (r.NUMFLU != 0) continue;
            listed_.push_back(r);
            TMOVIMENTO shown = r;
            TrimMovement(shown);
            AddTickable(list, RequestListLine(shown));
        }
    } catch (const IoError& e) {
        listed_.clear();
        list->clear();
        ui::ShowIoError(this, e);
    }
    try {
        RebuildWorkingFile<TMOVIMENTO>(request_.folders.inTemp(kRequestCopiesFileName), listed_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    TickAll(list, true);
    if (list->count() > 0) list->setCurrentRow(0);
}

void TFCREAFIRMAINVIARE_TE::dateExit() {
    const auto date = choice_.date()->date();
    if (!date) {
        ui::ReturnFocus(choice_.date());
        return;
    }
    choice_.number()->setValue(ProposedFlowNumber(*date, request_.company, request_.paths));
}

bool TFCREAFIRMAINVIARE_TE::checks() {
    target_.reset();
    if (TickedRows(choice_.list()).empty()) {
        ui::Inform(this, kNoRequestSelected);
        choice_.list()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    target_ =
        CheckFlowTarget(this, choice_.date(), choice_.number(), request_.company, request_.paths);
    return target_.has_value();
}

void TFCREAFIRMAINVIARE_TE::create() {
    if (!target_) return;
    const FlowTarget target = *target_;
    try {
        RemoveReplacedSignedFile(target);
        std::vector<TMOVIMENTO> chosen;
        const std::vector<TMOVIMENTO> copies = choice_.stampTicked(listed_, target, chosen);
        // The flow first: requests are never marked as sent for a flow that was not written.
        WriteFlowFile(ToSignFolder(request_.paths),
                      BuildRequestFlow(request_.company, chosen, target.date, target.number));
        RebuildWorkingFile<TMOVIMENTO>(request_.folders.inTemp(kRequestCopiesFileName), copies);
        // The protocols of an earlier flow's outcome are not this flow's.
        RebuildWorkingFile<TMOVIMENTO>(request_.folders.inTemp(kReleasesFileName), {});
        RecordPreparedFlow(request_.telematic, QLatin1Char('R'), target);
        MarkRequestsSent(request_.folders, chosen);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    HandOverToSigning(this, choice_.sign()->isChecked(), request_.paths, request_.folders.root,
                      request_.openTransmission);
    accept();
}

void OpenRequestFlowWindow(QWidget* parent, RequestFlowRequest request) {
    TFCREAFIRMAINVIARE_TE window(std::move(request), parent);
    window.exec();
}

}  // namespace braxol::telematic
