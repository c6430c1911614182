#pragma once
// FRINUNCIA_RE_TE ("Rinuncia al Registro Telematico - crea il flusso - Firma - Invia la
// Rinuncia"): the renunciation of the telematic registers from a date (DATRIN). It has no
// confirm button: typing "SI" in ECONF and leaving it writes the renunciation flow into the
// folder of files to sign, named by the flow date (DATFLU) and number (NUMFLU); with "Esegue
// Firma e Verifica " ticked the signing program is started and the transmission window follows.
// No request record is written.

#include <functional>
#include <optional>

#include "telematic/request_flow_window.h"
#include "ui/entry_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class DateEdit;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::telematic {

inline const QString kRenunciationAnswer = QStringLiteral("SI");

class TFRINUNCIA_RE_TE : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFRINUNCIA_RE_TE(RequestFlowRequest request, QWidget* parent = nullptr);
    ~TFRINUNCIA_RE_TE() override;

    bool created() const { return created_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void open();
    void renunciationDateExit();
    void flowDateExit();
    void answerExit();
    void create(double renunciationDate, const FlowTarget& target);

    RequestFlowRequest request_;
    bool created_ = false;
    Qt::FocusReason answerLeftBy_ = Qt::OtherFocusReason;

    ui::DateEdit* renunciation_;  // DATRIN
    QLineEdit* answer_;           // ECONF
    ui::DateEdit* date_;          // DATFLU
    ui::IntegerEdit* number_;     // NUMFLU
    QCheckBox* sign_;             // CFIRMA
    QLabel* folder_;              // LFLUSSO
    QPushButton* leave_;          // BABBANDONA
};

// Opens the window modally.
void OpenRenunciationWindow(QWidget* parent, RequestFlowRequest request);

}  // namespace braxol::telematic
