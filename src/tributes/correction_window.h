#pragma once
// The late-payment correction window FRAVVEDIM ("Ravvedimento"): the record R of a tax period,
// stored in REGISTRI/<year>.DER beside the records E.
//
// The window computes nothing: the additional tribute, the minimum penalty, the reduction
// percentage, the penalty, the legal interest rate and the interest are stored as typed,
// rounded to 2 decimals and whatever their sign; the days elapsed are a whole number; the
// payment date must be a real date. Leaving the period checks it (a period whose record R has
// been sent is refused in a new correction) and loads the unsent record R of the period, if
// any, which confirming then overwrites. The rectifications of a sent record R work as those
// of a record E. Only leaving the year waits for the first key typed in the window.

#include <optional>

#include "store/records.h"
#include "tributes/tribute_entry_common.h"
#include "tributes/tribute_records.h"
#include "tributes/tribute_request.h"
#include "ui/entry_window.h"

class QLineEdit;
class QPushButton;

namespace braxol::ui {
class AmountEdit;
class ConfirmButton;
class DateEdit;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::tributes {

class DigitEdit;
class NoteEdit;
class UpperEdit;

class TFRAVVEDIM : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFRAVVEDIM(TributeRequest request, QWidget* parent = nullptr);
    ~TFRAVVEDIM() override;

    void setRequest(TributeRequest request) { request_ = std::move(request); }
    const TributeRequest& request() const { return request_; }
    EntryMode mode() const { return mode_; }
    // The record R as stored by the last confirmation in the new-correction mode (NUMOPE 0
    // when none).
    const TMOVIMENTO& stored() const { return stored_; }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void open();
    void load(const TMOVIMENTO& record, bool withPaymentDate);
    int year() const;
    void refuse(QWidget* field, const QString& message);
    void yearExit();
    PeriodCheck checkPeriod();  // throws IoError
    void periodExit();
    bool checks();
    bool composeChecked();
    void save();

    TributeRequest request_;
    EntryMode mode_ = EntryMode::Insert;
    TMOVIMENTO composed_ = BlankMovement();
    TMOVIMENTO stored_ = BlankMovement();
    std::optional<TMOVIMENTO> existing_;  // the unsent record R of the period
    std::string code_;                    // the period code last accepted
    bool closing_ = false;
    bool checking_ = false;

    DigitEdit* year_;                                     // ANNPRO
    DigitEdit* period_;                                   // CODPAE
    QLineEdit* description_;                              // DCODPAE
    UpperEdit* chapter_;                                  // MITDES
    ui::AmountEdit* amounts_[CorrectionEntry::kAmounts];  // DOUBL1..DOUBL6
    ui::IntegerEdit* days_;                               // INTER1
    ui::DateEdit* paymentDate_;                           // DATDOC
    NoteEdit* note_;                                      // ANNOTA
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;  // BABBANDONA
};

// Opens FRAVVEDIM modally in the mode of the request: a new correction, or the rectification
// of the record R in `request.selected`.
void OpenLatePaymentCorrection(QWidget* parent, const TributeRequest& request);

// Opens the rectification window of the chosen record: FACCISE_DA for a record E, FRAVVEDIM
// for a record R. False, and nothing opened, for any other record.
bool OpenTributeRectification(QWidget* parent, const TributeRequest& request);

}  // namespace braxol::tributes
