#pragma once
// The product-code window FCODICI_NC on table TA20: the customs product code (ME0, masked
// "cccc-00000000-cc-cccc": CPA, NC, Taric, additional code), its description (Memo1, up to
// 250 characters) and the dates it is valid from (MDALLA) and to (MALLA). It works as the
// generic code-table window; a code counts as typed once its first NC digit is there.

#include <QPlainTextEdit>
#include <QString>

#include "store/records.h"
#include "tables/table_context.h"
#include "tables/table_editing.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
}  // namespace braxol::ui

namespace braxol::tables {

// A memo that takes at most `limit` characters (a beep when full) and where Enter and Tab
// move to the next field, so that the text stays on one line.
class LimitedMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    LimitedMemo(int limit, QWidget* parent = nullptr);
    int limit() const { return limit_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int room() const;
    int limit_;
};

class TFCODICI_NC : public ui::EntryWindow {
    Q_OBJECT
public:
    // The context's table name is TA20 (taken when empty).
    explicit TFCODICI_NC(TableContext context, QWidget* parent = nullptr);
    ~TFCODICI_NC() override;

    void setContext(TableContext context);
    bool editing() const { return edit_.editing(); }
    // The code as shown, blanks in the places not typed ("2203-00100000-  -    ").
    QString code() const;
    // A code typed in another window that the table does not hold: shown in the code field
    // when the window opens, so that only its description and dates are left to type.
    void setTypedCode(const QString& code) { typedCode_ = code; }
    // The code of the record saved last, trimmed ("" before a save).
    QString savedCode() const { return savedCode_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void reset();
    bool codeTyped() const;
    void setCode(const QString& code);
    void codeExit();
    bool checks();
    void save();
    void list();

    TableContext context_;
    TTABELLA record_;
    QString typedCode_;
    QString savedCode_;

    QLineEdit* code_;
    LimitedMemo* description_;
    ui::DateEdit* from_;
    ui::DateEdit* to_;
    QLabel* changeLabel_;
    ui::ConfirmButton* confirm_;
    QPushButton* list_;
    QPushButton* delete_;
    QPushButton* empty_;
    QPushButton* leave_;
    TableEditing edit_;  // on the context's table
};

// Opens FCODICI_NC (product codes, table TA20).
void OpenProductCodes(QWidget* parent, const TableContext& context);

// Opens FCODICI_NC for one new product code, starting from the code the user typed in
// `parent`; returns the code saved there, trimmed, or "" when the window was left without
// saving.
QString OpenNewProductCode(QWidget* parent, const TableContext& context, const QString& typedCode);

}  // namespace braxol::tables
