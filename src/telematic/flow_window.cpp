#include "telematic/flow_window.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <cmath>
#include <system_error>

#include "production/movement_modes.h"
#include "store/dates.h"
#include "store/flows.h"
#include "store/io_error.h"
#include "store/movements.h"
#include "store/paths.h"
#include "store/safe_file.h"
#include "telematic/flow_file.h"
#include "telematic/flow_list.h"
#include "telematic/flow_marking.h"
#include "telematic/flow_messages.h"
#include "telematic/flow_stamps.h"
#include "telematic/signing_start.h"
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
      year_(new ui::IntegerEdit(this)),
      list_(new QListWidget(this)),
      all_(new QPushButton(QStringLiteral("Tutti"), this)),
      none_(new QPushButton(QStringLiteral("Nessuno"), this)),
      folder_(new QLabel(this)),
      date_(new ui::DateEdit(this)),
      number_(new ui::IntegerEdit(this)),
      sign_(new QCheckBox(QStringLiteral("Esegue Firma e Verifica "), this)),
      confirm_(new ui::ConfirmButton(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FCREAFIRMAINVIAREGISTRO");
    setWindowTitle(
        QStringLiteral("Crea il flusso - Firma - Invia nell'Ambiente Telematico della Dogana"));
    year_->setObjectName("LANNO");
    list_->setObjectName("CELENCO");
    all_->setObjectName("BTUTTI");
    none_->setObjectName("BNESSUNO");
    folder_->setObjectName("LFLUSSO");
    date_->setObjectName("DATFLU");
    number_->setObjectName("NUMFLU");
    sign_->setObjectName("CFIRMA");
    leave_->setObjectName("BABBANDONA");

    year_->setMaxLength(4);
    number_->setMaxLength(2);
    number_->setToolTip(QStringLiteral("indicare un valore compreso tra 1 e 99"));
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    sign_->setChecked(true);
    for (QPushButton* b : {all_, none_, leave_}) b->setAutoDefault(false);
    folder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layOut();

    setFirstField(date_);
    confirm_->setChecks([this] { return checks(); });
    confirm_->setSave([this] { create(); });
    ui::OnFieldExit(year_, [this] { yearExit(); });
    ui::OnFieldExit(date_, [this] { dateExit(); });
    connect(all_, &QPushButton::clicked, this, [this] { tickAll(true); });
    connect(none_, &QPushButton::clicked, this, [this] { tickAll(false); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
    // Enter moves on from the check list and the check box too.
    list_->installEventFilter(this);
    sign_->installEventFilter(this);
}

TFCREAFIRMAINVIAREGISTRO::~TFCREAFIRMAINVIAREGISTRO() {
    ui::StopFieldExits(this);
}

void TFCREAFIRMAINVIAREGISTRO::layOut() {
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    year_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    number_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")));
    date_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/000000")));

    auto* top = new QHBoxLayout;
    top->addWidget(label(QStringLiteral("Movimenti nell'anno:"), year_));
    top->addWidget(year_);
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
    setTabOrder(leave_, year_);
    setTabOrder(year_, list_);
    setTabOrder(list_, all_);
    setTabOrder(all_, none_);
    resize(900, 480);
}

void TFCREAFIRMAINVIAREGISTRO::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFCREAFIRMAINVIAREGISTRO::open() {
    replaceSigned_ = false;
    try {
        // A flow whose stamping was interrupted is finished first: its records are not unsent.
        FinishInterruptedStamps(request_.folders);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    try {
        ReplaceFileContent(request_.folders.inTemp(kFlowCopiesFileName), {});
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    folder_->setText(PathText(ToSignFolder(request_.paths)));
    const double today = ui::Today();
    date_->setDate(today);
    number_->setValue(
        NextFlowNumber(today, request_.company.CODUTE.trimmed(), SignedFolder(request_.paths)));
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
            list_->addItem(RegisterListLine(shown));
        }
        for (const TMOVIMENTO& r :
             ScanMovements(YearFile(request_.folders.registri, year, ".DER"))) {
            if (r.NUMFLU != 0) continue;
            listed_.push_back(r);
            TMOVIMENTO shown = r;
            TrimMovement(shown);
            list_->addItem(TributeListLine(shown));
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
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                                 Qt::ItemIsUserCheckable);
    tickAll(true);
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
    number_->setValue(
        NextFlowNumber(*date, request_.company.CODUTE.trimmed(), SignedFolder(request_.paths)));
}

void TFCREAFIRMAINVIAREGISTRO::tickAll(bool ticked) {
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

int TFCREAFIRMAINVIAREGISTRO::ticked() const {
    int n = 0;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->checkState() == Qt::Checked) ++n;
    return n;
}

bool TFCREAFIRMAINVIAREGISTRO::checks() {
    replaceSigned_ = false;
    if (ticked() == 0) {
        ui::Inform(this, kNothingSelected);
        list_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    flowNumber_ = number_->value();
    if (flowNumber_ < 1) {
        number_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const auto date = date_->date();
    if (!date) {
        date_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    flowDate_ = *date;
    const std::string user = request_.company.CODUTE.trimmed();
    if (!IsUsableUserCode(user)) {
        ui::Warn(this, kUnusableUserCode);
        date_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const std::string name = FlowName(user, flowNumber_, flowDate_);
    std::error_code ec;
    if (fs::exists(SignedFolder(request_.paths) / (name + ".p7m"), ec)) {
        ui::Warn(this, kSignedFileReplaced);
        replaceSigned_ = true;
    }
    return true;
}

void TFCREAFIRMAINVIAREGISTRO::create() {
    const std::string user = request_.company.CODUTE.trimmed();
    const std::string name = FlowName(user, flowNumber_, flowDate_);
    const fs::path signedFile = SignedFolder(request_.paths) / (name + ".p7m");
    try {
        if (replaceSigned_) {
            std::error_code ec;
            if (!fs::remove(signedFile, ec) && ec)
                throw IoError(signedFile.string(), ReasonFromErrno(ec.value()));
        }
        std::vector<TMOVIMENTO> copies = listed_;
        std::vector<TMOVIMENTO> chosen;
        for (int i = 0; i < list_->count() && i < static_cast<int>(copies.size()); ++i) {
            if (list_->item(i)->checkState() != Qt::Checked) continue;
            TMOVIMENTO& copy = copies[static_cast<std::size_t>(i)];
            copy.DATFLU = flowDate_;
            copy.NUMFLU = flowNumber_;
            chosen.push_back(copy);
        }
        // The flow first: records are never marked as sent for a flow that was not written.
        const FlowFile flow = BuildMovementFlow(request_.company, chosen, flowDate_, flowNumber_);
        WriteFlowFile(ToSignFolder(request_.paths), flow);
        ReplaceFileContent(request_.folders.inTemp(kFlowCopiesFileName), Bytes(copies));
        if (request_.telematic) {
            TelematicState& state = *request_.telematic;
            state.flowKind = QLatin1Char('C');
            state.flowName = QString::fromStdString(flow.name);
            state.signedFilePath = PathText(signedFile);
            state.flowDate = flowDate_;
            state.flowNumber = flowNumber_;
            state.flowYear = listedYear_;
        }
        if (!sign_->isChecked()) MarkFlowRecords(request_.folders, copies, listedYear_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }

    if (sign_->isChecked()) {
        const QString program = SigningProgram(request_.paths);
        const bool follow =
            program.isEmpty() || StartSigningProgram(this, program, request_.folders.root);
        if (follow && request_.openTransmission) request_.openTransmission(this);
    }
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
