#pragma once
// The fields that the record E and record R windows share: digits-only fields (year, period),
// the upper-case chapter, the note, and the red period description.

#include <QLineEdit>
#include <QPlainTextEdit>

namespace braxol::tributes {

// Digits and backspace only; any other key beeps and is dropped.
class DigitEdit : public QLineEdit {
    Q_OBJECT
public:
    DigitEdit(const QString& name, int maxLength, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// What is typed is turned to upper case.
class UpperEdit : public QLineEdit {
    Q_OBJECT
public:
    UpperEdit(const QString& name, int maxLength, QWidget* parent = nullptr);

private:
    void typed(const QString& text);
};

// The note: one paragraph of at most `maxLength` characters (a beep when full); Enter and Tab
// move to the next control.
class NoteEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    NoteEdit(const QString& name, int maxLength, QWidget* parent = nullptr);
    QString text() const { return toPlainText(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int maxLength_;
};

// The read-only description of the period, in red, out of the tab order.
QLineEdit* PeriodDescriptionField(QWidget* parent);

// Makes a field read-only or editable again.
void SetEditable(QWidget* field, bool editable);

}  // namespace braxol::tributes
