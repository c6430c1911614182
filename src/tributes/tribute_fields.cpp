#include "tributes/tribute_fields.h"

#include <QApplication>
#include <QKeyEvent>

#include "ui/fields.h"

namespace braxol::tributes {

DigitEdit::DigitEdit(const QString& name, int maxLength, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    setMaxLength(maxLength);
    setFixedWidth(fontMetrics().horizontalAdvance(QString(maxLength + 2, QLatin1Char('W'))));
}

void DigitEdit::keyPressEvent(QKeyEvent* event) {
    const QString t = event->text();
    const bool digit = t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9');
    if (digit || ui::IsNavigationKey(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QApplication::beep();
}

UpperEdit::UpperEdit(const QString& name, int maxLength, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    setMaxLength(maxLength);
    setFixedWidth(fontMetrics().horizontalAdvance(QString(maxLength + 2, QLatin1Char('W'))));
    connect(this, &QLineEdit::textEdited, this, &UpperEdit::typed);
}

void UpperEdit::typed(const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int cursor = cursorPosition();
    setText(upper);
    setCursorPosition(cursor);
}

NoteEdit::NoteEdit(const QString& name, int maxLength, QWidget* parent)
    : QPlainTextEdit(parent), maxLength_(maxLength) {
    setObjectName(name);
    setTabChangesFocus(true);
    setFixedHeight(fontMetrics().lineSpacing() * 4 + 2 * frameWidth() + 8);
}

void NoteEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    const bool typing = !ui::IsNavigationKey(event);
    if (typing && toPlainText().size() >= maxLength_ && !textCursor().hasSelection()) {
        QApplication::beep();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

QLineEdit* PeriodDescriptionField(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("DCODPAE"));
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, Qt::red);
    field->setPalette(palette);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(26, QLatin1Char('W'))));
    return field;
}

void SetEditable(QWidget* field, bool editable) {
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->setReadOnly(!editable);
    if (auto* text = qobject_cast<QPlainTextEdit*>(field)) text->setReadOnly(!editable);
}

}  // namespace braxol::tributes
