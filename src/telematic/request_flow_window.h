#pragma once
// FCREAFIRMAINVIARE_TE ("Crea il flusso - Firma - Invia le richieste per i Registri
// Telematici"): the unsent register requests of DATI_GEN/PROTRETE.DAT in a check list, all
// ticked; the ticked ones become a request flow in the folder of files to sign, named by the
// flow date and number, and are marked as sent with the flow's date and number at once, all
// together, whether the flow is then signed here or by other means. With "Esegue Firma e
// Verifica " ticked the signing program is started and the transmission window follows.
//
// APPOGGIO.DAT in the temporary folder holds a copy of every listed request, item i being
// record i; after the creation the chosen copies carry the flow's date and number.

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

namespace braxol::telematic {

inline constexpr const char* kRequestCopiesFileName = "APPOGGIO.DAT";
inline const QString kNoRequestSelected =
    QStringLiteral("NON E' STATA SELEZIONATA ALCUNA RICHIESTA");

// What the two windows that create a flow of the register requests need (this one and the
// renunciation window).
struct RequestFlowRequest {
    WorkFolders folders;
    TUTENTE company = BlankTutente();  // strings trimmed
    TTABELLA paths = BlankTabella();   // APPL.CFG, strings trimmed
    TelematicState* telematic = nullptr;
    // Opens the transmission window for the flow just created. Empty: nothing follows.
    std::function<void(QWidget* parent)> openTransmission;
};

class TFCREAFIRMAINVIARE_TE : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFCREAFIRMAINVIARE_TE(RequestFlowRequest request, QWidget* parent = nullptr);
    ~TFCREAFIRMAINVIARE_TE() override;

    // The requests listed, item i being record i.
    const std::vector<TMOVIMENTO>& listed() const { return listed_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void open();
    void load();
    void dateExit();
    bool checks();
    void create();

    RequestFlowRequest request_;
    std::vector<TMOVIMENTO> listed_;
    std::optional<FlowTarget> target_;  // set by the checks on entering the confirm button

    FlowChoice choice_;
};

// Opens the window modally.
void OpenRequestFlowWindow(QWidget* parent, RequestFlowRequest request);

}  // namespace braxol::telematic
