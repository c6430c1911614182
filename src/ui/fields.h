#pragma once
// The edit fields of the entry windows: whole numbers, Italian amounts and dates.

#include <QLineEdit>
#include <optional>

namespace braxol::ui {

// Digits and backspace; "-" only while the field is empty. Any other key beeps and is dropped.
class IntegerEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit IntegerEdit(QWidget* parent = nullptr);
    int value() const;
    void setValue(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Right-aligned amount: digits, backspace, one "," (a typed "." becomes ","), "-" while
// empty. After each key the integer part is regrouped with "." every three digits.
class AmountEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit AmountEdit(QWidget* parent = nullptr);
    // Read with the program's amount reader, rounded to `decimals`.
    double value(int decimals) const;
    // Shown with the program's amount format (0 = as many decimals as needed).
    void setValue(double value, int decimals = 0);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void regroup();
};

// "dd/mm/yyyy" typed into a mask.
class DateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DateEdit(QWidget* parent = nullptr);
    // Nothing when the text is not a real date.
    std::optional<double> date() const;
    void setDate(double date);
};

// Keys that move or edit without typing a character (arrows, Tab, Enter, Delete, Home...).
bool IsNavigationKey(const QKeyEvent* event);

}  // namespace braxol::ui
