#pragma once
// FCANCFLUSSO ("RIATTIVA I RECORD ASSOCIATI AD UN FLUSSO"): the records of a year that carry
// a flow's date and number, listed unticked; after the user ticks some and types "SI" (upper
// case: nothing else will do) and leaves the field, the ticked records lose the flow's stamp
// and the flow window offers them again. It is for records the customs service did not take.
// The records lose it all together, each in the file of its own year (flow_marking.h).
//
// CANCELLA.MOV in the temporary folder holds a copy of every listed record, item i being
// record i, as the deletion window's list does.

#include <QString>
#include <optional>
#include <vector>

#include "store/records.h"
#include "store/work_folders.h"
#include "telematic/flow_key_fields.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace braxol::telematic {

// The only answer that detaches.
inline const QString kDetachAnswer = QStringLiteral("SI");

struct DetachContext {
    WorkFolders folders;
    QString& workingYear;  // the window's year; the user may change it
};

class TFCANCFLUSSO : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFCANCFLUSSO(DetachContext context, QWidget* parent = nullptr);
    ~TFCANCFLUSSO() override;

    // The records listed, item i being record i, as stored.
    const std::vector<TMOVIMENTO>& listed() const { return listed_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void open();
    void rebuild();
    void writeCopies();
    void answerEntered();
    void answerExit();
    void detach();

    DetachContext context_;
    std::vector<TMOVIMENTO> listed_;
    int listedYear_ = 0;
    // The flow and year the list was built for.
    struct ListedFlow {
        double date = 0;
        int number = 0;
        int year = 0;
        bool operator==(const ListedFlow&) const = default;
    };
    std::optional<ListedFlow> listedFlow_;
    Qt::FocusReason answerLeftBy_ = Qt::OtherFocusReason;  // how the focus last left ECONF

    FlowKeyFields flow_;  // LANNO, MDARI, INUCO
    QListWidget* list_;   // CELENCO
    QPushButton* all_;    // BTUTTI
    QPushButton* none_;   // BNESSUNO
    QLineEdit* answer_;   // ECONF
    QPushButton* leave_;  // BABBANDONA
};

}  // namespace braxol::telematic
