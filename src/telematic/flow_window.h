#pragma once
// FCREAFIRMAINVIAREGISTRO ("Crea il flusso - Firma - Invia nell'Ambiente Telematico della
// Dogana"): the unsent productions, washes and records E and R of a year in a check list; the
// ticked ones become a flow file in the folder of files to sign, named by the flow date and
// number. With "Esegue Firma e Verifica " ticked the signing program is started and the
// records stay unsent until the transmission window marks them; without it they are marked
// as sent at once (the user signs and sends by other means).
//
// FLUSSATI.DAT in the temporary folder holds a copy of every listed record, item i being
// record i; after the creation the chosen copies carry the flow's date and number, and the
// file stays for the transmission window.

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "store/records.h"
#include "store/work_folders.h"
#include "telematic/flow_choice.h"
#include "telematic/flow_target.h"
#include "telematic/telematic_state.h"
#include "ui/entry_window.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
class IntegerEdit;
}  // namespace braxol::ui

namespace braxol::telematic {

inline constexpr const char* kFlowCopiesFileName = "FLUSSATI.DAT";

struct FlowWindowRequest {
    WorkFolders folders;
    TUTENTE company = BlankTutente();  // strings trimmed
    TTABELLA paths = BlankTabella();   // APPL.CFG, strings trimmed
    // The run's working year (may be null): the window lists it and a year typed in LANNO
    // becomes it.
    QString* workingYear = nullptr;
    // Where the flow just prepared is recorded for the windows that follow it.
    TelematicState* telematic = nullptr;
    // Opens the transmission window for the flow just created, once the signing program has
    // started (or at once when no signing program is given). Empty: the flow window just closes.
    std::function<void(QWidget* parent)> openTransmission;
};

class TFCREAFIRMAINVIAREGISTRO : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFCREAFIRMAINVIAREGISTRO(FlowWindowRequest request, QWidget* parent = nullptr);
    ~TFCREAFIRMAINVIAREGISTRO() override;

    void setRequest(FlowWindowRequest request) { request_ = std::move(request); }
    // The records listed, item i being record i, as read from the yearly files.
    const std::vector<TMOVIMENTO>& listed() const { return listed_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open();
    void load(int year);
    void yearExit();
    void dateExit();
    bool checks();
    void create();

    FlowWindowRequest request_;
    std::vector<TMOVIMENTO> listed_;
    int listedYear_ = 0;
    // Set by the checks on entering the confirm button.
    std::optional<FlowTarget> target_;

    FlowChoice choice_;
    ui::IntegerEdit* year_;  // LANNO
    QListWidget* list_;
    QLabel* folder_;
    ui::DateEdit* date_;
    ui::IntegerEdit* number_;
    QCheckBox* sign_;
};

// Opens the flow window modally.
void OpenFlowWindow(QWidget* parent, FlowWindowRequest request);

}  // namespace braxol::telematic
