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

}  // namespace

TFLAVAGGIO::TFLAVAGGIO(const EntryRequest& request, QWidget* parent)
    : BrewEntryWindow(request, true, 0.0, parent),
      title_(new QLabel(kCaption, this)),
      final_(new MeterEdit(this)),
      total_(new QLineEdit(this)) {
    setObjectName("FLAVAGGIO");
    setWindowTitle(kCaption);
    duplicateMessage_ = kDuplicate;

    setUpCommon([this] { return new MeterEdit(this); }, QStringLiteral("dei lavaggi"), kNoteLength);

    title_->setObjectName("LMOVIMENTO");
    final_->setObjectName("INTER2");
    total_->setObjectName("MTOTALE");
    total_->setReadOnly(true);
    total_->setFocusPolicy(Qt::NoFocus);
    total_->setAlignment(Qt::AlignRight);
    ShowEditable(total_, false);
    leave_->setFocusPolicy(Qt::NoFocus);
    layOut();

    onExit(date_, [this] { dateExit(); });
    onExit(final_, [this] { readingsValid(); });
    onExit(total_, [this] { readingsValid(); });
}

TFLAVAGGIO::~TFLAVAGGIO() {
    ui::StopFieldExits(this);
}

void TFLAVAGGIO::layOut() {
    date_->setFixedWidth(letters(8));
    for (QLineEdit* f : {initial_, final_, total_}) {
        f->setFixedWidth(letters(9));
        f->setAlignment(Qt::AlignRight);
    }
    note_->setMinimumWidth(letters(36));
    Emphasize(title_);
    QLabel* registerCaption = this->registerCaption();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(Row({title_}));
    layout->addLayout(Row({buddyLabel(QStringLiteral("Data del lavaggio"), date_), date_}));
    layout->addLayout(Row({registerCaption, protocol_}));
    auto* meter = new QLabel(QStringLiteral("Misuratore della produzione di birra:  "), this);
    meter->setObjectName("LMISURATORE");
    layout->addLayout(Row({meter, buddyLabel(QStringLiteral("Lettura iniziale "), initial_),
                           initial_, buddyLabel(QStringLiteral("Lettura finale"), final_), final_,
                           buddyLabel(QStringLiteral("Pari a:"), total_), total_}));
    layout->addLayout(Row({buddyLabel(QStringLiteral("Nota"), note_), note_}));
    layout->addStretch();
    layout->addLayout(buttonRow());
    setTabOrderOf({date_, initial_, final_, note_, confirm_});
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
    showRectifyCaption(title_, kRectifyCancelCaption, kRectifyChangeCaption);
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
    composed_.INTER1 = MeterReading(initial_);
    composed_.INTER2 = MeterReading(final_);
    QStringList problems;
    if (composed_.INTER2 < 1) problems << kFinalNotPositive;
    total_->setText(QString::number(MeterAdvance(composed_.INTER1, composed_.INTER2)));
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
