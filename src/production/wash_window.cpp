#include "production/wash_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/numbers.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::production {
namespace {

const QString kCaption = QStringLiteral("Lavaggio / sanificazione");
const QString kRectifyCancelCaption =
    QStringLiteral("RETTIFICA: cancella un lavaggio già inviato al sistema telematico");
const QString kRectifyChangeCaption =
    QStringLiteral("RETTIFICA: modifica un lavaggio già inviato al sistema telematico");
const QString kFinalNotPositive = QStringLiteral("IL VALORE DEVE ESSERE MAGGIORE DI ZERO");
const QString kDuplicate = QStringLiteral("ATTENZIONE LAVAGGIO GIA` IN MEMORIA !");

constexpr int kNoteLength = 200;

// A meter reading of a wash: digits and backspace only, no sign.
class MeterEdit : public ui::IntegerEdit {
public:
    using ui::IntegerEdit::IntegerEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->text() == QStringLiteral("-")) {
            QApplication::beep();
            return;
        }
        ui::IntegerEdit::keyPressEvent(event);
    }
};

int Reading(const QLineEdit* field) {
    return ParseInteger(ui::ToRecord(field->text()));
}

}  // namespace

TFLAVAGGIO::TFLAVAGGIO(const EntryRequest& request, QWidget* parent)
    : BrewEntryWindow(request, true, 0.0, parent),
      title_(new QLabel(kCaption, this)),
      final_(new MeterEdit(this)),
      total_(new QLineEdit(this)) {
    setObjectName("FLAVAGGIO");
    setWindowTitle(kCaption);
    duplicateMessage_ = kDuplicate;

    auto* date = new ui::DateEdit(this);
    auto* initial = new MeterEdit(this);
    auto* note = new QLineEdit(this);
    auto* protocol = new QLabel(QStringLiteral("dei lavaggi"), this);
    auto* confirm = new ui::ConfirmButton(this);
    auto* leave = new QPushButton(QStringLiteral("&Abbandona"), this);
    date->setObjectName("DATMOV");
    initial->setObjectName("INTER1");
    note->setObjectName("ANNOTA");
    protocol->setObjectName("LTIPOREGISTRO");
    leave->setObjectName("BABBANDONA");
    setUpCommon(date, initial, note, protocol, confirm, leave);

    title_->setObjectName("LMOVIMENTO");
    final_->setObjectName("INTER2");
    total_->setObjectName("MTOTALE");
    note->setMaxLength(kNoteLength);
    total_->setReadOnly(true);
    total_->setFocusPolicy(Qt::NoFocus);
    total_->setAlignment(Qt::AlignRight);
    ShowEditable(total_, false);
    leave->setFocusPolicy(Qt::NoFocus);
    layOut();

    onExit(date_, [this] { dateExit(); });
    onExit(final_, [this] { readingsValid(); });
    onExit(total_, [this] { readingsValid(); });
}

TFLAVAGGIO::~TFLAVAGGIO() {
    ui::StopFieldExits(this);
}

void TFLAVAGGIO::layOut() {
    const auto letters = [this](int n) {
        return fontMetrics().horizontalAdvance(QString(n, QChar('W')));
    };
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        for (QWidget* w : widgets) line->addWidget(w);
        line->addStretch();
        return line;
    };
    date_->setFixedWidth(letters(8));
    for (QLineEdit* f : {initial_, final_, total_}) {
        f->setFixedWidth(letters(9));
        f->setAlignment(Qt::AlignRight);
    }
    note_->setMinimumWidth(letters(36));
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title_->setFont(titleFont);
    auto* registerCaption = new QLabel(QStringLiteral("Registro:"), this);
    registerCaption->setObjectName("LREGISTRO");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row({title_}));
    layout->addLayout(row({label(QStringLiteral("Data del lavaggio"), date_), date_}));
    layout->addLayout(row({registerCaption, protocol_}));
    auto* meter = new QLabel(QStringLiteral("Misuratore della produzione di birra:  "), this);
    meter->setObjectName("LMISURATORE");
    layout->addLayout(row({meter, label(QStringLiteral("Lettura iniziale "), initial_), initial_,
                           label(QStringLiteral("Lettura finale"), final_), final_,
                           label(QStringLiteral("Pari a:"), total_), total_}));
    layout->addLayout(row({label(QStringLiteral("Nota"), note_), note_}));
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm_);
    buttons->addStretch();
    buttons->addWidget(leave_);
    layout->addLayout(buttons);
    QWidget* const order[] = {date_, initial_, final_, note_, confirm_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    resize(779, 314);
}

void TFLAVAGGIO::opened() {
    setWindowTitle(kCaption);
    title_->setText(kCaption);
    total_->clear();
    for (QLineEdit* f : {static_cast<QLineEdit*>(date_), initial_, final_}) ShowEditable(f, true);
    if (mode() == EntryMode::New) {
        date_->setDate(ui::Today());
        composed_ = BlankMovement();
        initial_->clear();
        final_->clear();
        readDate();
        proposeInitialReading();
        note_->clear();
        date_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (IsRectify(mode())) {
        const QString caption =
            mode() == EntryMode::RectifyCancel ? kRectifyCancelCaption : kRectifyChangeCaption;
        setWindowTitle(caption);
        title_->setText(caption);
    }
    composed_ = StartRecord(mode(), chosen_);
    date_->setDate(chosen_.DATMOV);
    initial_->setText(QString::number(chosen_.INTER1));
    final_->setText(QString::number(chosen_.INTER2));
    note_->setText(ui::FromField(chosen_.ANNOTA));
    if (mode() == EntryMode::RectifyCancel) {
        for (QLineEdit* f : {static_cast<QLineEdit*>(date_), initial_, final_})
            ShowEditable(f, false);
        note_->setFocus(Qt::OtherFocusReason);
    } else {
        date_->setFocus(Qt::OtherFocusReason);
    }
}

BrewEntryWindow::Problem TFLAVAGGIO::dateCheck() {
    if (Problem problem = dateAndProtocol()) return problem;
    try {
        composed_.PRODDO.set(WashProductCode(request_.folders.datiGen));
    } catch (const IoError& e) {
        return failed(e);
    }
    return std::nullopt;
}

void TFLAVAGGIO::dateExit() {
    if (passes(dateCheck(), date_)) proposeInitialReading();
}

bool TFLAVAGGIO::readingsValid() {
    composed_.INTER1 = Reading(initial_);
    composed_.INTER2 = Reading(final_);
    QStringList problems;
    if (composed_.INTER2 < 1) problems << kFinalNotPositive;
    total_->setText(QString::number(static_cast<long long>(composed_.INTER2) - composed_.INTER1));
    if (!ReadingsInOrder(composed_.INTER1, composed_.INTER2)) problems << kReadingsOrderMessage;
    if (problems.isEmpty()) return true;
    refuse(initial_);
    for (const QString& problem : problems) ui::Warn(this, problem);
    return false;
}

void TFLAVAGGIO::compose() {
    composed_ = StartRecord(mode(), chosen_);
    SetWashFields(composed_, company_);
    ui::SetField(composed_.ANNOTA, note_->text());
}

bool TFLAVAGGIO::checkFields() {
    // A cancellation is checked too: its date needs a protocol, its readings an advance.
    if (!passes(dateCheck(), date_)) return false;
    return readingsValid();
}

bool OpenWash(QWidget* parent, const EntryRequest& request) {
    TFLAVAGGIO window(request, parent);
    window.exec();
    return window.saved();
}

}  // namespace braxol::production
