#include "telematic/verification_window.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

#include "production/movement_modes.h"
#include "store/io_error.h"
#include "store/numbers.h"
#include "telematic/outcome_fetch.h"
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

int FlowNumber(const QString& text) {
    return ParseInteger(text.toStdString());
}

}  // namespace

TFVERIFICA_FLUSSO::TFVERIFICA_FLUSSO(VerificationContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      year_(new QLineEdit(this)),
      date_(new ui::DateEdit(this)),
      number_(new ui::IntegerEdit(this)),
      records_(new QListWidget(this)),
      outcome_(new QPlainTextEdit(this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton("&Abbandona", this)) {
    setObjectName("FVERIFICA_FLUSSO");
    setWindowTitle("Verifica l'esito di invio di un flusso in ambiente reale");
    year_->setObjectName("LANNO");
    date_->setObjectName("MDARI");
    number_->setObjectName("INUCO");
    records_->setObjectName("MOVIMENTI");
    outcome_->setObjectName("ESITO");
    leave_->setObjectName("BABBANDONA");
    if (!context_.transports)
        context_.transports = NetworkTransports(context_.folders, context_.company);

    year_->setMaxLength(4);
    year_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), year_));
    number_->setMaxLength(4);
    for (QLineEdit* edit : {static_cast<QLineEdit*>(year_), static_cast<QLineEdit*>(date_),
                            static_cast<QLineEdit*>(number_)})
        edit->setMaximumWidth(QFontMetrics(edit->font()).horizontalAdvance("000000000000"));
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
    auto* fields = new QGridLayout;
    fields->addWidget(label("Movimenti nell'anno:", year_), 0, 0);
    fields->addWidget(year_, 0, 1);
    fields->addWidget(label("Data del flusso", date_), 1, 0);
    fields->addWidget(date_, 1, 1);
    fields->addWidget(label("Numero del flusso", number_), 2, 0);
    fields->addWidget(number_, 2, 1);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(records_, 1);
    layout->addWidget(label("Esito dal Sistema Telematico Doganale ", outcome_));
    layout->addWidget(outcome_, 1);
    layout->addLayout(buttons);
    setTabOrder(date_, number_);
    setTabOrder(number_, year_);
    setTabOrder(year_, confirm_);
    setTabOrder(confirm_, outcome_);
    setTabOrder(outcome_, leave_);
    resize(760, 520);

    setFirstField(date_);
    attachConfirm(confirm_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { fetch(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
    ui::OnFieldExit(year_, [this] { yearExit(); });
    ui::OnFieldExit(date_, [this] { dateExit(); });
    ui::OnFieldExit(number_, [this] { numberExit(); });
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
    year_->setText(context_.workingYear);
    date_->setDate(ui::Today());
    records_->clear();
    outcome_->clear();
    number_->clear();
    date_->setFocus(Qt::OtherFocusReason);
    date_->setCursorPosition(0);
}

bool TFVERIFICA_FLUSSO::eventFilter(QObject* watched, QEvent* event) {
    // Coming back to the date or the number means another flow: its outcome goes.
    if (event->type() == QEvent::FocusIn && (watched == date_ || watched == number_) && !fetching())
        outcome_->clear();
    return ui::EntryWindow::eventFilter(watched, event);
}

void TFVERIFICA_FLUSSO::yearExit() {
    if (untouched()) return;
    if (!production::AcceptedYear(year_->text())) {
        ui::ReturnFocus(year_);
        return;
    }
    context_.workingYear = year_->text().trimmed();
    rebuild();
}

void TFVERIFICA_FLUSSO::dateExit() {
    if (untouched()) return;
    if (!date_->date()) {
        ui::ReturnFocus(date_);
        return;
    }
    rebuild();
}

void TFVERIFICA_FLUSSO::numberExit() {
    if (untouched()) return;
    if (FlowNumber(number_->text()) <= 0) {
        ui::ReturnFocus(number_);
        return;
    }
    rebuild();
}

void TFVERIFICA_FLUSSO::rebuild() {
    records_->clear();
    const auto date = date_->date();
    const int number = FlowNumber(number_->text());
    const auto year = production::AcceptedYear(year_->text());
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
    if (!date_->date()) {
        date_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const int number = FlowNumber(number_->text());
    if (number < 1 || number > kLargestFlowNumber) {
        number_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void TFVERIFICA_FLUSSO::fetch() {
    if (fetching()) return;
    outcome_->clear();
    context_.shared.environment = Environment::Real;
    const QString date = date_->text();
    const QString flowName = ui::FromField(context_.company.CODUTE) + date.mid(3, 2) +
                             date.mid(0, 2) + ".C" +
                             QString::number(FlowNumber(number_->text())).rightJustified(2, '0');
    context_.shared.flowName = flowName;

    OutcomeRequest request;
    request.caller = OutcomeCaller::Verification;
    request.outcomeName = OutcomeNameOf(flowName);
    request.attempts = 1;
    request.tempFolder = context_.folders.temp;
    request.reader = MovementOutcomeReader(VerificationIdentifiers());
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
