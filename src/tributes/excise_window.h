#pragma once
// The excise summary window FACCISE_DA ("Riepilogo accisa"): the record E of a tax period,
// stored in REGISTRI/<year>.DER.
//
// Leaving the year proposes the period after the last record E of the year. Leaving the
// period checks it (a period whose record E has been sent is refused in a new summary), shows
// the chapter and note of its unsent record E, if any, and totals the excise of the period's
// productions (rebuilding RIEP.DAT): the total is shown in DOUBL2 and proposed in DOUBL1, where
// the user types the amount rounded as the law requires. Negative amounts are refused.
//
// A new summary is stored with AddMovement, in period order, over the unsent record E of the
// same period if there is one. The two rectifications of a sent record E mark it cancelled
// and add its cancellation record and, for a change, the replacing record (CancelOrRectify);
// their note is obligatory. While the window is untouched, leaving the year or the period does
// nothing and the confirm button only moves the focus to the year.

#include <optional>

#include "store/records.h"
#include "tributes/period_total.h"
#include "tributes/tribute_entry_common.h"
#include "tributes/tribute_request.h"
#include "ui/entry_window.h"

class QLineEdit;
class QPushButton;

namespace braxol::ui {
class AmountEdit;
class ConfirmButton;
}  // namespace braxol::ui

namespace braxol::tributes {

class DigitEdit;
class NoteEdit;
class UpperEdit;

class TFACCISE_DA : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFACCISE_DA(TributeRequest request, QWidget* parent = nullptr);
    ~TFACCISE_DA() override;

    // The request of the next opening.
    void setRequest(TributeRequest request) { request_ = std::move(request); }
    const TributeRequest& request() const { return request_; }
    EntryMode mode() const { return mode_; }

    // The record E as stored by the last confirmation in the new-summary mode (NUMOPE 0 when
    // none), and the last period total computed.
    const TMOVIMENTO& stored() const { return stored_; }
    const PeriodTotal& lastTotal() const { return total_; }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void open();
    void loadRectified();
    int year() const;
    bool exitsActive() const;
    // Moves the focus back to the field, then shows the message (when there is one).
    void refuse(QWidget* field, const QString& message);
    void yearExit();
    // Writes the two-digit code and the description, and remembers the unsent record E of the
    // period. Throws IoError.
    PeriodCheck checkPeriod();
    void periodExit();
    void computeTotal();
    bool amountValid();
    bool checks();
    bool composeChecked();
    void save();

    TributeRequest request_;
    EntryMode mode_ = EntryMode::Insert;
    TMOVIMENTO composed_ = BlankMovement();
    TMOVIMENTO stored_ = BlankMovement();
    std::optional<TMOVIMENTO> existing_;  // the unsent record E of the period
    PeriodTotal total_;
    bool closing_ = false;
    bool checking_ = false;  // a check is moving the focus: the field exits keep quiet

    DigitEdit* year_;         // ANNPRO
    DigitEdit* period_;       // CODPAE
    UpperEdit* chapter_;      // MITDES
    ui::AmountEdit* amount_;  // DOUBL1
    NoteEdit* note_;          // ANNOTA
    ui::ConfirmButton* confirm_;
    QLineEdit* description_;    // DCODPAE
    ui::AmountEdit* computed_;  // DOUBL2
    QPushButton* leave_;        // BABBANDONA
};

// Opens FACCISE_DA modally in the mode of the request: a new summary, or the rectification of
// the record E in `request.selected`.
void OpenExciseSummary(QWidget* parent, const TributeRequest& request);

}  // namespace braxol::tributes
