#include "telematic/flow_window.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QShowEvent>
#include <cmath>
#include <system_error>

#include "production/movement_modes.h"
#include "store/dates.h"
#include "store/flows.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/safe_file.h"
#include "telematic/finish_stamps.h"
#include "telematic/flow_file.h"
#include "telematic/flow_list.h"
#include "telematic/flow_marking.h"
#include "telematic/flow_messages.h"
#include "telematic/flow_target.h"
#include "telematic/signing_start.h"
#include "telematic/tick_list.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::telematic {
namespace {

std::string Bytes(const std::vector<TMOVIMENTO>& records) {
    return std::string(reinterpret_cast<const char*>(records.data()),
                       records.size() * sizeof(TMOVIMENTO));
}

QString PathText(const fs::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

TFCREAFIRMAINVIAREGISTRO::TFCREAFIRMAINVIAREGISTRO(FlowWindowRequest request, QWidget* parent)
    : ui::EntryWindow(parent),
      request_(std::move(request)),
      choice_(this),
      year_(new ui::IntegerEdit(this)),
      list_(choice_.list()),
      folder_(choice_.folder()),
      date_(choice_.date()),
      number_(choice_.number()),
      sign_(choice_.sign()) {
    setObjectName("FCREAFIRMAINVIAREGISTRO");
    setWindowTitle(
        QStringLiteral("Crea il flusso - Firma - Invia nell'Ambiente Telematico della Dogana"));
    year_->setObjectName("LANNO");
    year_->setMaxLength(4);
    choice_.layOut(year_);
    resize(900, 480);

    setFirstField(date_);
    choice_.confirm()->setChecks([this] { return checks(); });
    choice_.confirm()->setSave([this] { create(); });
    ui::OnFieldExit(year_, [this] { yearExit(); });
    ui::OnFieldExit(date_, [this] { dateExit(); });
    // Enter moves on from the check list and the check box too.
    list_->installEventFilter(this);
    sign_->installEventFilter(this);
}

TFCREAFIRMAINVIAREGISTRO::~TFCREAFIRMAINVIAREGISTRO() {
    ui::StopFieldExits(this);
}

void TFCREAFIRMAINVIAREGISTRO::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFCREAFIRMAINVIAREGISTRO::open() {
    target_.reset();
    // A flow whose stamping was interrupted is finished first: its records are not unsent.
    FinishInterruptedStampsOrTell(this, request_.folders);
    try {
        ReplaceFileContent(request_.folders.inTemp(kFlowCopiesFileName), {});
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    folder_->setText(PathText(ToSignFolder(request_.paths)));
    const double today = ui::Today();
    date_->setDate(today);
    number_->setValue(ProposedFlowNumber(today, request_.company, request_.paths));
    QString year = request_.workingYear ? *request_.workingYear : QString();
    if (!production::AcceptedYear(year)) year = QString::number(ui::Seams::clock().today().year());
    year_->setText(year);
    sign_->setChecked(true);
    listedYear_ = 0;
    load(year.toInt());
    date_->setFocus(Qt::OtherFocusReason);
}

void TFCREAFIRMAINVIAREGISTRO::load(int year) {
    list_->clear();
    listed_.clear();
    listedYear_ = year;
    const double today = ui::Today();
    bool future = false;
    try {
        for (const TMOVIMENTO& r :
             ScanMovements(YearFile(request_.folders.registri, year, ".RGM"))) {
            if (r.NUMFLU != 0) continue;
            listed_.push_back(r);
            future = future || std::floor(r.DATMOV) > today;
            TMOVIMENTO shown = r;
            TrimMovement(shown);
            AddTickable(list_, RegisterListLine(shown));
        }
        for (const TMOVIMENTO& r :
             ScanMovements(YearFile(request_.folders.registri, year, ".DER"))) {
            if (r.NUMFLU != 0) continue;
            listed_.push_back(r);
            TMOVIMENTO shown = r;
            TrimMovement(shown);
            AddTickable(list_, TributeListLine(shown));
        }
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    try {
        ReplaceFileContent(request_.folders.inTemp(kFlowCopiesFileName), Bytes(listed_));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    if (future) ui::Warn(this, kFutureDates);
    TickAll(list_, true);
    if (list_->count() > 0) list_->setCurrentRow(0);
}

void TFCREAFIRMAINVIAREGISTRO::yearExit() {
    const auto year = production::AcceptedYear(year_->text());
    if (!year) {
        ui::ReturnFocus(year_);
        return;
    }
    if (request_.workingYear) *request_.workingYear = QString::number(*year);
    if (*year != listedYear_) load(*year);
}

void TFCREAFIRMAINVIAREGISTRO::dateExit() {
    const auto date = date_->date();
    if (!date) {
        ui::ReturnFocus(date_);
        return;
    }
    number_->setValue(ProposedFlowNumber(*date, request_.company, request_.paths));
}

bool TFCREAFIRMAINVIAREGISTRO::checks() {
    target_.reset();
    if (TickedRows(list_).empty()) {
        ui::Inform(this, kNothingSelected);
        list_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    target_ = CheckFlowTarget(this, date_, number_, request_.company, request_.paths);
    return target_.has_value();
}

void TFCREAFIRMAINVIAREGISTRO::create() {
    if (!target_) return;
    const FlowTarget target = *target_;
    try {
        RemoveReplacedSignedFile(target);
        std::vector<TMOVIMENTO> chosen;
        const std::vector<TMOVIMENTO> copies = choice_.stampTicked(listed_, target, chosen);
        // The flow first: records are never marked as sent for a flow that was not written.
        const FlowFile flow =
            BuildMovementFlow(request_.company, chosen, target.date, target.number);
        WriteFlowFile(ToSignFolder(request_.paths), flow);
        ReplaceFileContent(request_.folders.inTemp(kFlowCopiesFileName), Bytes(copies));
        RecordPreparedFlow(request_.telematic, QLatin1Char('C'), target);
        if (request_.telematic) request_.telematic->flowYear = listedYear_;
        if (!sign_->isChecked()) MarkFlowRecords(request_.folders, copies, listedYear_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    HandOverToSigning(this, sign_->isChecked(), request_.paths, request_.folders.root,
                      request_.openTransmission);
    accept();
}

bool TFCREAFIRMAINVIAREGISTRO::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == list_ || watched == sign_)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return ui::EntryWindow::eventFilter(watched, event);
}

void OpenFlowWindow(QWidget* parent, FlowWindowRequest request) {
    TFCREAFIRMAINVIAREGISTRO window(std::move(request), parent);
    window.exec();
}

}  // namespace braxol::telematic
