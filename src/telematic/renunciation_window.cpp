#include "telematic/renunciation_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "store/io_error.h"
#include "store/record_file.h"
#include "telematic/request_flow_file.h"
#include "telematic/request_outcome.h"
#include "telematic/signing_start.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::telematic {

TFRINUNCIA_RE_TE::TFRINUNCIA_RE_TE(RequestFlowRequest request, QWidget* parent)
    : ui::EntryWindow(parent),
      request_(std::move(request)),
      renunciation_(new ui::DateEdit(this)),
      answer_(new QLineEdit(this)),
      date_(new ui::DateEdit(this)),
      number_(new ui::IntegerEdit(this)),
      sign_(new QCheckBox(QStringLiteral("Esegue Firma e Verifica "), this)),
      folder_(new QLabel(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FRINUNCIA_RE_TE");
    setWindowTitle(QStringLiteral(
        "Rinuncia al Registro Telematico - crea il flusso - Firma - Invia la Rinuncia"));
    renunciation_->setObjectName("DATRIN");
    answer_->setObjectName("ECONF");
    date_->setObjectName("DATFLU");
    number_->setObjectName("NUMFLU");
    sign_->setObjectName("CFIRMA");
    folder_->setObjectName("LFLUSSO");
    leave_->setObjectName("BABBANDONA");

    answer_->setMaxLength(2);
    number_->setMaxLength(2);
    number_->setToolTip(QStringLiteral("indicare un valore compreso tra 1 e 99"));
    leave_->setAutoDefault(false);
    folder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layOut();

    setFirstField(renunciation_);
    // What is typed in the answer shows in upper case.
    connect(answer_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int cursor = answer_->cursorPosition();
        answer_->setText(upper);
        answer_->setCursorPosition(cursor);
    });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
    ui::OnFieldExit(renunciation_, [this] { renunciationDateExit(); });
    ui::OnFieldExit(date_, [this] { flowDateExit(); });
    ui::OnFieldExit(answer_, [this] { answerExit(); });
    answer_->installEventFilter(this);
}

TFRINUNCIA_RE_TE::~TFRINUNCIA_RE_TE() {
    ui::StopFieldExits(this);
}

void TFRINUNCIA_RE_TE::layOut() {
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    const auto letters = [this](int n) {
        return fontMetrics().horizontalAdvance(QString(n, QChar('W')));
    };
    renunciation_->setFixedWidth(letters(8));
    date_->setFixedWidth(letters(8));
    number_->setFixedWidth(letters(3));
    answer_->setFixedWidth(letters(3));

    auto* form = new QFormLayout;
    form->addRow(label(QStringLiteral("Rinuncia al Sistema Telematico a partire dalla data:"),
                       renunciation_),
                 renunciation_);
    form->addRow(label(QStringLiteral("Data del  Flusso"), date_), date_);
    form->addRow(label(QStringLiteral("Numero del  Flusso"), number_), number_);
    form->addRow(sign_);

    auto* where = new QHBoxLayout;
    where->addWidget(label(QStringLiteral("Il FLUSSO sarà generato nella cartella:  "), folder_));
    where->addWidget(folder_, 1);

    auto* answer = new QHBoxLayout;
    answer->addWidget(
        label(QStringLiteral("Digita \"SI\" per Rinunciare al Registro Telematico"), answer_));
    answer->addWidget(answer_);
    answer->addStretch();
    answer->addWidget(leave_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(where);
    layout->addLayout(answer);

    setTabOrder(renunciation_, date_);
    setTabOrder(date_, number_);
    setTabOrder(number_, sign_);
    setTabOrder(sign_, answer_);
    setTabOrder(answer_, leave_);
}

void TFRINUNCIA_RE_TE::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFRINUNCIA_RE_TE::open() {
    created_ = false;
    answer_->clear();
    number_->clear();
    folder_->setText(QString::fromStdString(ToSignFolder(request_.paths).string()));
    renunciation_->setDate(ui::Today());
    date_->setDate(ui::Today());
    sign_->setChecked(true);
    renunciation_->setFocus(Qt::OtherFocusReason);
    renunciation_->setCursorPosition(0);
}

void TFRINUNCIA_RE_TE::renunciationDateExit() {
    if (!renunciation_->date()) ui::ReturnFocus(renunciation_);
}

void TFRINUNCIA_RE_TE::flowDateExit() {
    const auto date = date_->date();
    if (!date) {
        ui::ReturnFocus(date_);
        return;
    }
    number_->setValue(ProposedFlowNumber(*date, request_.company, request_.paths));
}

bool TFRINUNCIA_RE_TE::eventFilter(QObject* watched, QEvent* event) {
    if (watched == answer_ && event->type() == QEvent::FocusOut)
        answerLeftBy_ = static_cast<QFocusEvent*>(event)->reason();
    return ui::EntryWindow::eventFilter(watched, event);
}

void TFRINUNCIA_RE_TE::answerExit() {
    // A click on "Abbandona" is leaving the window, whatever was typed.
    if (answerLeftBy_ == Qt::MouseFocusReason && QApplication::focusWidget() == leave_) return;
    if (answer_->text() != kRenunciationAnswer) {
        ui::ReturnFocus(renunciation_);
        return;
    }
    const auto renunciation = renunciation_->date();
    if (!renunciation) {
        ui::ReturnFocus(renunciation_);
        return;
    }
    const auto target = CheckFlowTarget(this, date_, number_, request_.company, request_.paths,
                                        FocusMove::AfterExit);
    if (!target) return;
    create(*renunciation, *target);
}

void TFRINUNCIA_RE_TE::create(double renunciationDate, const FlowTarget& target) {
    try {
        RemoveReplacedSignedFile(target);
        WriteFlowFile(
            ToSignFolder(request_.paths),
            BuildRenunciationFlow(request_.company, renunciationDate, target.date, target.number));
        // A renunciation releases no register: no protocol of an earlier outcome may follow it.
        RebuildWorkingFile<TMOVIMENTO>(request_.folders.inTemp(kReleasesFileName), {});
        RecordPreparedFlow(request_.telematic, QLatin1Char('R'), target);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    created_ = true;
    HandOverToSigning(this, sign_->isChecked(), request_.paths, request_.folders.root,
                      request_.openTransmission);
    accept();
}

void OpenRenunciationWindow(QWidget* parent, RequestFlowRequest request) {
    TFRINUNCIA_RE_TE window(std::move(request), parent);
    window.exec();
}

}  // namespace braxol::telematic
