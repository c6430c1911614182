#include "telematic/verification_window.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "store/io_error.h"
#include "telematic/flow_file.h"
#include "telematic/outcome_fetch.h"
#include "telematic/request_flow_file.h"
#include "telematic/request_outcome.h"
#include "telematic/verification_rows.h"
#include "ui/busy_cursor.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::telematic {
namespace {

constexpr int kLargestFlowNumber = 99;

bool AnyLineHas(const QStringList& lines, const QString& identifier) {
    return std::any_of(lines.begin(), lines.end(),
                       [&identifier](const QString& line) { return line.contains(identifier); });
}

// Any flow sent for real may be asked for here, a flow of register requests too, whatever flow
// this run prepared last: the document's record line tells which reading it needs. The
// protocols a request flow's outcome names are only shown; the transmission window records them.
OutcomeReading ReadSentFlowOutcome(const QStringList& lines) {
    const QString requestFlowId = QString::fromLatin1(kRequestFlowId.data(), kRequestFlowId.size());
    if (!AnyLineHas(lines, QString::fromLatin1(kMovementFlowId.data(), kMovementFlowId.size())) &&
        AnyLineHas(lines, requestFlowId))
        return ReadRequestOutcome(lines, ui::Today()).reading;
    return ReadMovementOutcome(lines, VerificationIdentifiers());
}

}  // namespace

TFVERIFICA_FLUSSO::TFVERIFICA_FLUSSO(VerificationContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      flow_(this, context_.workingYear, [this] { rebuild(); }),
      records_(new QListWidget(this)),
      outcome_(new QPlainTextEdit(this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton("&Abbandona", this)) {
    setObjectName("FVERIFICA_FLUSSO");
    setWindowTitle("Verifica l'esito di invio di un flusso in ambiente reale");
    records_->setObjectName("MOVIMENTI");
    outcome_->setObjectName("ESITO");
    leave_->setObjectName("BABBANDONA");
    if (!context_.transports)
        context_.transports = NetworkTransports(context_.folders, context_.company);

    records_->setSelectionMode(QAbstractItemView::NoSelection);
    records_->setFocusPolicy(Qt::NoFocus);
    outcome_->setReadOnly(true);
    leave_->setAutoDefault(false);

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(flow_.grid());
    layout->addWidget(records_, 1);
    layout->addWidget(label("Esito dal Sistema Telematico Doganale ", outcome_));
    layout->addWidget(outcome_, 1);
    layout->addLayout(buttons);
    setTabOrder(flow_.date(), flow_.number());
    setTabOrder(flow_.number(), flow_.year());
    setTabOrder(flow_.year(), confirm_);
    setTabOrder(confirm_, outcome_);
    setTabOrder(outcome_, leave_);
    resize(760, 520);

    setFirstField(flow_.date());
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { fetch(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFVERIFICA_FLUSSO::~TFVERIFICA_FLUSSO() {
    ui::StopFieldExits(this);
}

void TFVERIFICA_FLUSSO::done(int result) {
    if (transport_) transport_->cancel();
    ui::EntryWindow::done(result);
}

void TFVERIFICA_FLUSSO::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (event->spontaneous()) return;
    records_->clear();
    outcome_->clear();
    flow_.reset();
}

bool TFVERIFICA_FLUSSO::eventFilter(QObject* watched, QEvent* event) {
    // Coming back to the date or the number means another flow: its outcome goes.
    if (event->type() == QEvent::FocusIn &&
        (watched == flow_.date() || watched == flow_.number()) && !fetching())
        outcome_->clear();
    return ui::EntryWindow::eventFilter(watched, event);
}

void TFVERIFICA_FLUSSO::rebuild() {
    records_->clear();
    const auto date = flow_.flowDate();
    const int number = flow_.flowNumber();
    const auto year = flow_.flowYear();
    if (!date || number <= 0 || !year) return;
    try {
        ui::BusyCursor busy;
        records_->addItems(VerificationRows(context_.folders, *year, *date, number));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
}

// A flow name needs a real date and a number of one or two digits.
bool TFVERIFICA_FLUSSO::checks() {
    if (!flow_.flowDate()) {
        flow_.date()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const int number = flow_.flowNumber();
    if (number < 1 || number > kLargestFlowNumber) {
        flow_.number()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void TFVERIFICA_FLUSSO::fetch() {
    if (fetching()) return;
    outcome_->clear();
    context_.shared.environment = Environment::Real;
    const QString date = flow_.date()->text();
    const QString flowName = ui::FromField(context_.company.CODUTE) + date.mid(3, 2) +
                             date.mid(0, 2) + ".C" +
                             QString::number(flow_.flowNumber()).rightJustified(2, '0');
    context_.shared.flowName = flowName;

    OutcomeRequest request;
    request.caller = OutcomeCaller::Verification;
    request.outcomeName = OutcomeNameOf(flowName);
    request.attempts = 1;
    request.tempFolder = context_.folders.temp;
    request.reader = ReadSentFlowOutcome;
    request.parent = this;
    request.display = [this](const QString& details) { outcome_->setPlainText(details); };
    OutcomeResult result;
    try {
        std::unique_ptr<net::SoapTransport> transport = context_.transports(Environment::Real);
        transport_ = transport.get();
        result = FetchOutcome(*transport, request);
        transport_ = nullptr;
    } catch (const IoError& e) {
        transport_ = nullptr;
        ui::ShowIoError(this, e);
        return;
    }
    if (!result.cancelled) outcome_->setFocus(Qt::OtherFocusReason);
}

}  // namespace braxol::telematic
