#include "ui/fields.h"

#include <QApplication>
#include <QKeyEvent>

#include "store/dates.h"
#include "store/numbers.h"

namespace braxol::ui {

bool IsNavigationKey(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
            return true;
        default:
            return event->text().isEmpty();
    }
}

IntegerEdit::IntegerEdit(QWidget* parent) : QLineEdit(parent) {}

void IntegerEdit::keyPressEvent(QKeyEvent* event) {
    const QString t = event->text();
    const bool digit = t.size() == 1 && t[0].isDigit() && t[0].unicode() < 128;
    const bool minus = t == "-" && text().isEmpty();
    if (IsNavigationKey(event) || digit || minus) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QApplication::beep();
}

int IntegerEdit::value() const {
    return ParseInteger(text().toStdString());
}
void IntegerEdit::setValue(int value) {
    setText(QString::number(value));
}

AmountEdit::AmountEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight);
}

void AmountEdit::keyPressEvent(QKeyEvent* event) {
    QString t = event->text();
    if (t == ".") t = ",";
    const bool digit = t.size() == 1 && t[0].isDigit() && t[0].unicode() < 128;
    const bool comma = t == "," && !text().contains(',');
    const bool minus = t == "-" && text().isEmpty();
    if (IsNavigationKey(event)) {
        QLineEdit::keyPressEvent(event);
        if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) regroup();
        return;
    }
    if (!(digit || comma || minus)) {
        QApplication::beep();
        return;
    }
    insert(t);
    regroup();
}

void AmountEdit::regroup() {
    const QString old = text();
    const int fromEnd = old.size() - cursorPosition();
    QString sign, integer, rest;
    int i = 0;
    if (old.startsWith('-')) {
        sign = "-";
        i = 1;
    }
    for (; i < old.size() && old[i] != ','; ++i)
        if (old[i].isDigit()) integer += old[i];
    rest = old.mid(i);  // "," and the decimals, as typed
    QString grouped;
    for (int k = 0; k < integer.size(); ++k) {
        if (k > 0 && (integer.size() - k) % 3 == 0) grouped += '.';
        grouped += integer[k];
    }
    const QString shown = sign + grouped + rest;
    if (shown != old) {
        setText(shown);
        setCursorPosition(qMax(0, shown.size() - fromEnd));
    }
}

double AmountEdit::value(int decimals) const {
    return ParseAmount(text().toStdString(), decimals);
}

void AmountEdit::setValue(double value, int decimals) {
    setText(QString::fromStdString(FormatAmount(value, 0, decimals)));
}

DateEdit::DateEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMask("99/99/9999;_");
}

std::optional<double> DateEdit::date() const {
    return ParseDate(text().toStdString());
}

void DateEdit::setDate(double date) {
    setText(IsValidDate(date) ? QString::fromStdString(FormatDate(date)) : QString());
}

}  // namespace braxol::ui
