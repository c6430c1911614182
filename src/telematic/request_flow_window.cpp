#include "telematic/request_flow_window.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/io_error.h"
#include "store/movements.h"
#include "store/record_file.h"
#include "telematic/flow_list.h"
#include "telematic/flow_marking.h"
#include "telematic/flow_stamps.h"
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
    : ui::EntryWindow(parent),
      request_(std::move(request)),
      list_(new QListWidget(this)),
      all_(new QPushButton(QStringLiteral("Tutti"), this)),
      none_(new QPushButton(QStringLiteral("Nessuno"), this)),
      folder_(new QLabel(this)),
      date_(new ui::DateEdit(this)),
      number_(new ui::IntegerEdit(this)),
      sign_(new QCheckBox(QStringLiteral("Esegue Firma e Verifica "), this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FCREAFIRMAINVIARE_TE");
    setWindowTitle(
        QStringLiteral("Crea il flusso - Firma - Invia le richieste per i Registri Telematici"));
    list_->setObjectName("CELENCO");
    all_->setObjectName("BTUTTI");
    none_->setObjectName("BNESSUNO");
    folder_->setObjectName("LFLUSSO");
    date_->setObjectName("DATFLU");
    number_->setObjectName("NUMFLU");
    sign_->setObjectName("CFIRMA");
    leave_->setObjectName("BABBANDONA");

    number_->setMaxLength(2);
    number_->setToolTip(QStringLiteral("indicare un valore compreso tra 1 e 99"));
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (QPushButton* b : {all_, none_, leave_}) b->setAutoDefault(false);
    folder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layOut();

    setFirstField(date_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { create(); });
    ui::OnFieldExit(date_, [this] { dateExit(); });
    connect(all_, &QPushButton::clicked, this, [this] { TickAll(list_, true); });
    connect(none_, &QPushButton::clicked, this, [this] { TickAll(list_, false); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFCREAFIRMAINVIARE_TE::~TFCREAFIRMAINVIARE_TE() {
    ui::StopFieldExits(this);
}

void TFCREAFIRMAINVIARE_TE::layOut() {
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    number_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")));
    date_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/000000")));

    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(all_);
    top->addWidget(none_);

    auto* where = new QHBoxLayout;
    where->addWidget(label(QStringLiteral("Il FLUSSO sarà generato nella cartella:  "), folder_));
    where->addWidget(folder_, 1);

    auto* flow = new QHBoxLayout;
    flow->addWidget(label(QStringLiteral("Data del  Flusso"), date_));
    flow->addWidget(date_);
    flow->addSpacing(20);
    flow->addWidget(label(QStringLiteral("Numero del  Flusso"), number_));
    flow->addWidget(number_);
    flow->addSpacing(20);
    flow->addWidget(sign_);
    flow->addStretch();
    flow->addWidget(confirm_);
    flow->addWidget(leave_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(where);
    layout->addLayout(flow);

    // The keyboard way of a new flow: date, number, signing, confirm; the list after.
    setTabOrder(date_, number_);
    setTabOrder(number_, sign_);
    setTabOrder(sign_, confirm_);
    setTabOrder(confirm_, leave_);
    setTabOrder(leave_, list_);
    setTabOrder(list_, all_);
    setTabOrder(all_, none_);
    resize(900, 400);
}

void TFCREAFIRMAINVIARE_TE::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFCREAFIRMAINVIARE_TE::open() {
    target_.reset();
    try {
        // Requests whose marking was interrupted are marked first: they are not unsent.
        FinishInterruptedStamps(request_.folders);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    folder_->setText(QString::fromStdString(ToSignFolder(request_.paths).string()));
    date_->setDate(ui::Today());
    number_->clear();
    sign_->setChecked(true);
    load();
    date_->setFocus(Qt::OtherFocusReason);
    date_->setCursorPosition(0);
}

void TFCREAFIRMAINVIARE_TE::load() {
    list_->clear();
    listed_.clear();
    try {
        for (const TMOVIMENTO& r : ScanMovements(request_.folders.requestsFile())) {
            if (r.NUMFLU != 0) continue;
            listed_.push_back(r);
            TMOVIMENTO shown = r;
            TrimMovement(shown);
            AddTickable(list_, RequestListLine(shown));
        }
    } catch (const IoError& e) {
        listed_.clear();
        list_->clear();
        ui::ShowIoError(this, e);
    }
    try {
        RebuildWorkingFile<TMOVIMENTO>(request_.folders.inTemp(kRequestCopiesFileName), listed_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    TickAll(list_, true);
    if (list_->count() > 0) list_->setCurrentRow(0);
}

void TFCREAFIRMAINVIARE_TE::dateExit() {
    const auto date = date_->date();
    if (!date) {
        ui::ReturnFocus(date_);
        return;
    }
    number_->setValue(ProposedFlowNumber(*date, request_.company, request_.paths));
}

bool TFCREAFIRMAINVIARE_TE::checks() {
    target_.reset();
    if (TickedRows(list_).empty()) {
        ui::Inform(this, kNoRequestSelected);
        list_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    target_ = CheckFlowTarget(this, date_, number_, request_.company, request_.paths);
    return target_.has_value();
}

void TFCREAFIRMAINVIARE_TE::create() {
    if (!target_) return;
    const FlowTarget target = *target_;
    try {
        RemoveReplacedSignedFile(target);
        std::vector<TMOVIMENTO> copies = listed_;
        std::vector<TMOVIMENTO> chosen;
        for (int i : TickedRows(list_)) {
            if (i >= static_cast<int>(copies.size())) continue;
            TMOVIMENTO& copy = copies[static_cast<std::size_t>(i)];
            copy.DATFLU = target.date;
            copy.NUMFLU = target.number;
            chosen.push_back(copy);
        }
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
    HandOverToSigning(this, sign_->isChecked(), request_.paths, request_.folders.root,
                      request_.openTransmission);
    accept();
}

void OpenRequestFlowWindow(QWidget* parent, RequestFlowRequest request) {
    TFCREAFIRMAINVIARE_TE window(std::move(request), parent);
    window.exec();
}

}  // namespace braxol::telematic
