#include "telematic/transmission_window.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <filesystem>

#include "setup/password_window.h"
#include "store/config_files.h"
#include "store/io_error.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "telematic/flow_marking.h"
#include "telematic/flow_messages.h"
#include "telematic/flow_window.h"
#include "telematic/outcome_fetch.h"
#include "telematic/signing_start.h"
#include "telematic/soap_upload.h"
#include "ui/busy_cursor.h"
#include "ui/confirm_button.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::telematic {
namespace {

namespace fs = std::filesystem;

constexpr int kOutcomeAttempts = 3;
constexpr int kRealSiteSlot = 3;
constexpr int kTestSiteSlot = 5;

bool IsNegative(const QString& outcome) {
    return outcome.contains(QStringLiteral("NEGATIVO"));
}

// Keeps the transport of the call in flight where leaving the window can end it.
class InFlight {
public:
    InFlight(net::SoapTransport*& slot, net::SoapTransport* transport) : slot_(slot) {
        slot_ = transport;
    }
    ~InFlight() { slot_ = nullptr; }
    InFlight(const InFlight&) = delete;
    InFlight& operator=(const InFlight&) = delete;

private:
    net::SoapTransport*& slot_;
};

}  // namespace

TFTELEMATICO::TFTELEMATICO(TransmissionContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      signedCaption_(new QLabel(QStringLiteral("File Firmato da Inviare: "), this)),
      flowName_(new QLabel(this)),
      waitCaption_(new QLabel(QStringLiteral("Attesa del file firmato: "), this)),
      waitProgress_(new QLabel(this)),
      restart_(new QPushButton(QStringLiteral("Riavvia il software della firma digitale"), this)),
      environment_(new QGroupBox(this)),
      test_(new QRadioButton(QStringLiteral("Invia nell'ambiente di PROVA "), environment_)),
      real_(new QRadioButton(QStringLiteral("Invia nell'ambiente REALE"), environment_)),
      site_(new QRadioButton(QStringLiteral("Vai al SITO delle DOGANE per l'invio manuale"),
                             environment_)),
      choice_(new QButtonGroup(this)),
      details_(new QTextEdit(this)),
      confirm_(new ui::ConfirmButton(this)),
      print_(new QPushButton(QStringLiteral("Stampa"), this)),
      password_(new QPushButton(QStringLiteral("Cambio Password"), this)),
      edi_(new QPushButton(QStringLiteral("Interroga E.D.I."), this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FTELEMATICO");
    setWindowTitle(QStringLiteral("SERVIZIO TELEMATICO DOGANALE - TRASMISSIONE FILE"));
    signedCaption_->setObjectName("Label1");
    flowName_->setObjectName("Label2");
    waitCaption_->setObjectName("Label3");
    waitProgress_->setObjectName("Label4");
    restart_->setObjectName("BFIRMA");
    environment_->setObjectName("GAMBIENTE");
    test_->setObjectName("RPROVA");
    real_->setObjectName("RREALE");
    site_->setObjectName("RSITO");
    details_->setObjectName("RICHED");
    print_->setObjectName("BSTAMPA");
    password_->setObjectName("BPSW");
    edi_->setObjectName("BEDI");
    leave_->setObjectName("BABBANDONA");

    for (QRadioButton* r : {test_, real_, site_}) choice_->addButton(r);
    // The focus sent to the group goes to its first choice.
    environment_->setFocusProxy(test_);
    details_->setReadOnly(true);
    details_->setFocusPolicy(Qt::StrongFocus);
    details_->setAcceptRichText(false);
    flowName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    waitProgress_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QPushButton* b : {restart_, print_, password_, edi_, leave_}) b->setAutoDefault(false);
    layOut();

    poll_.setInterval(kPollMilliseconds);
    connect(&poll_, &QTimer::timeout, this, [this] { poll(); });
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { send(); });
    connect(restart_, &QPushButton::clicked, this, [this] {
        StartSigningProgram(this, SigningProgram(context_.paths), context_.folders.root);
    });
    connect(print_, &QPushButton::clicked, this, [this] { print(); });
    connect(password_, &QPushButton::clicked, this, [this] { changePassword(); });
    connect(edi_, &QPushButton::clicked, this, [this] { openEdi(); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFTELEMATICO::~TFTELEMATICO() {
    poll_.stop();
    if (inFlight_) inFlight_->cancel();
}

void TFTELEMATICO::layOut() {
    auto* signedRow = new QHBoxLayout;
    signedRow->addWidget(signedCaption_);
    signedRow->addWidget(flowName_, 1);
    auto* waitRow = new QHBoxLayout;
    waitRow->addWidget(waitCaption_);
    waitRow->addWidget(waitProgress_, 1);
    waitRow->addWidget(restart_);

    auto* choices = new QVBoxLayout(environment_);
    choices->addWidget(test_);
    choices->addWidget(real_);
    choices->addWidget(site_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addWidget(print_);
    buttons->addWidget(password_);
    buttons->addWidget(edi_);
    buttons->addStretch();
    buttons->addWidget(leave_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(signedRow);
    layout->addLayout(waitRow);
    layout->addWidget(environment_);
    layout->addWidget(details_, 1);
    layout->addLayout(buttons);

    setTabOrder(details_, test_);
    setTabOrder(test_, real_);
    setTabOrder(real_, site_);
    setTabOrder(site_, confirm_);
    setTabOrder(confirm_, print_);
    setTabOrder(print_, password_);
    setTabOrder(password_, edi_);
    setTabOrder(edi_, restart_);
    setTabOrder(restart_, leave_);
    resize(720, 480);
}

void TFTELEMATICO::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFTELEMATICO::open() {
    flowName_->setText(context_.shared.flowName);
    // No choice made: the group lets every button go only while it is not exclusive.
    choice_->setExclusive(false);
    for (QRadioButton* r : {test_, real_, site_}) r->setChecked(false);
    choice_->setExclusive(true);
    details_->clear();
    answer_.clear();
    for (QWidget* w : std::initializer_list<QWidget*>{environment_, signedCaption_, flowName_})
        w->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{restart_, waitCaption_, waitProgress_})
        w->show();
    signed_ = false;
    stop_ = false;
    sent_ = false;
    polls_ = 0;
    pollFaultShown_ = false;
    details_->setFocus(Qt::OtherFocusReason);
    poll();
    if (!signed_) poll_.start();
}

void TFTELEMATICO::done(int result) {
    stop_ = true;
    poll_.stop();
    if (inFlight_) inFlight_->cancel();
    ui::EntryWindow::done(result);
}

// One look for the signed file; the counter tells the user the wait goes on.
void TFTELEMATICO::poll() {
    if (stop_ || signed_) {
        poll_.stop();
        return;
    }
    try {
        if (PathExists(fs::path(context_.shared.signedFilePath.toStdString()))) {
            signedFileArrived();
            return;
        }
    } catch (const IoError& e) {
        // The signed file cannot be looked for (a folder without permission, a loop of links):
        // the user is told once, and the wait goes on, since the fault may pass.
        if (!pollFaultShown_) {
            pollFaultShown_ = true;
            ui::ShowIoError(this, e);
        }
    }
    ++polls_;
    waitProgress_->setText(context_.shared.signedFilePath + " - " + QString::number(polls_));
}

void TFTELEMATICO::signedFileArrived() {
    signed_ = true;
    poll_.stop();
    for (QWidget* w : std::initializer_list<QWidget*>{signedCaption_, flowName_, environment_})
        w->show();
    for (QWidget* w : std::initializer_list<QWidget*>{waitCaption_, waitProgress_, restart_})
        w->hide();
}

bool TFTELEMATICO::checks() {
    if (sending_) return false;
    if (sent_) {
        ui::Warn(this, kAlreadySent);
        details_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!signed_) {
        ui::Warn(this, kNotSigned);
        details_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!choice_->checkedButton()) {
        ui::Warn(this, kNoEnvironment);
        environment_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

// The three ways, in their order; a test sending that the user lets go on checks the real
// environment, so that the same press sends there too.
void TFTELEMATICO::send() {
    if (sending_) return;
    sending_ = true;
    details_->clear();
    answer_.clear();
    if (site_->isChecked()) {
        markSent();
        ui::OpenWebAddress(ui::FromField(context_.web.text[kRealSiteSlot]));
    }
    if (test_->isChecked()) sendToTest();
    if (!stop_ && real_->isChecked()) sendToReal();
    sending_ = false;
    if (stop_) return;
    details_->setFocus(Qt::OtherFocusReason);
}

void TFTELEMATICO::sendToTest() {
    const auto taken = upload(Environment::Test);
    if (!taken || !*taken) return;
    const auto outcome = fetchOutcome(Environment::Test);
    if (!outcome) return;
    if (IsNegative(*outcome)) {
        ui::Warn(this, kFileHasErrors);
        return;
    }
    if (ui::Ask(this, kSendToReal, ui::Buttons::OkNo, ui::Severity::Information) == ui::Answer::Ok)
        real_->setChecked(true);
}

void TFTELEMATICO::sendToReal() {
    details_->clear();
    answer_.clear();
    const auto taken = upload(Environment::Real);
    if (!taken) return;
    sent_ = *taken;
    if (!*taken) return;
    const auto outcome = fetchOutcome(Environment::Real);
    if (!outcome) return;
    if (!IsNegative(*outcome)) markSent();
}

std::unique_ptr<net::SoapTransport> TFTELEMATICO::transport(Environment environment) {
    if (context_.transports) return context_.transports(environment);
    TUTENTE company = ReadCompany(context_.folders.companyFile()).value_or(BlankTutente());
    TrimTutente(company);
    return NetworkTransports(context_.folders, company)(environment);
}

std::optional<bool> TFTELEMATICO::upload(Environment environment) {
    context_.shared.environment = environment;
    UploadResult result;
    try {
        ui::BusyCursor busy;
        const auto t = transport(environment);
        InFlight flight(inFlight_, t.get());
        result = UploadSignedFile(*t, fs::path(context_.shared.signedFilePath.toStdString()), this);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return false;
    }
    if (result.cancelled || stop_) return std::nullopt;
    answer_ = UploadAnswerText(result);
    details_->setPlainText(answer_);
    return result.taken;
}

std::optional<QString> TFTELEMATICO::fetchOutcome(Environment environment) {
    OutcomeRequest request;
    request.caller = OutcomeCaller::Transmission;
    request.outcomeName = OutcomeNameOf(QString::fromStdString(
        fs::path(context_.shared.signedFilePath.toStdString()).filename().string()));
    request.attempts = kOutcomeAttempts;
    request.tempFolder = context_.folders.temp;
    request.reader = context_.shared.flowKind == QLatin1Char('R') && context_.requestFlows.reader
                         ? context_.requestFlows.reader
                         : MovementOutcomeReader(TransmissionIdentifiers());
    request.parent = this;
    request.display = [this](const QString& details) { showDetails(details); };
    OutcomeResult result;
    try {
        const auto t = transport(environment);
        InFlight flight(inFlight_, t.get());
        result = FetchOutcome(*t, request);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return kOutcomeNegative;
    }
    if (result.cancelled || stop_) return std::nullopt;
    return result.outcome;
}

void TFTELEMATICO::showDetails(const QString& details) {
    QString text = answer_.isEmpty() ? details : answer_ + "\n" + details;
    // The details file ends its last line; the window shows no empty line after it.
    while (text.endsWith('\n') || text.endsWith('\r')) text.chop(1);
    details_->setPlainText(text);
}

// The records of the flow become sent: for a movement flow, those that FLUSSATI.DAT lists
// with the flow's stamp, each looked up in the file of its own year; a request flow's are
// stored by the register requests.
void TFTELEMATICO::markSent() {
    if (context_.shared.flowKind == QLatin1Char('R')) {
        if (context_.requestFlows.markSent) context_.requestFlows.markSent(this);
        return;
    }
    try {
        const auto copies =
            ReadRecords<TMOVIMENTO>(context_.folders.inTemp(kFlowCopiesFileName), false);
        const int marked = MarkFlowRecords(context_.folders, copies, context_.shared.flowYear);
        details_->append(QStringLiteral("Movimenti registrati come inviati con il flusso %1: %2")
                             .arg(context_.shared.flowName)
                             .arg(marked));
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
}

void TFTELEMATICO::print() {
    const QString title = flowName_->text();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("BRAXOL"));
    if (!ui::Seams::print().choosePrinter(this, printer)) return;
    QTextDocument document;
    document.setMetaInformation(QTextDocument::DocumentTitle, title);
    document.setPlainText(title + "\n\n" + details_->toPlainText());
    document.print(&printer);
}

void TFTELEMATICO::changePassword() {
    setup::TFCAMBIAPSW window(context_.folders, this);
    window.exec();
}

void TFTELEMATICO::openEdi() {
    const int slot =
        context_.shared.environment == Environment::Real ? kRealSiteSlot : kTestSiteSlot;
    ui::OpenWebAddress(ui::FromField(context_.web.text[slot]));
}

void OpenTransmissionWindow(QWidget* parent, TransmissionContext context) {
    TFTELEMATICO window(std::move(context), parent);
    window.exec();
}

}  // namespace braxol::telematic
