#pragma once
// FCANCMOVIM: the records of one year's file that may still be deleted, in a check list. The
// ticked ones are deleted when "SI" is typed in ECONF and the field is left. Deleting an
// unsent cancellation (modes c and t) undoes its rectification: the rectified record becomes
// active again and its replacing record goes. CANCELLA.MOV in the temporary folder holds the
// records listed, one per line of the list.

#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

#include "production/movement_modes.h"
#include "store/records.h"
#include "store/work_folders.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace braxol::production {

inline constexpr const char* kDeletionFileName = "CANCELLA.MOV";

struct DeletionRequest {
    WorkFolders folders;
    QChar mode;        // C, c, T, t, P, R, p; when null, the mode of the tag
    int tag = 0;       // the tag of the menu action (1 C, 2 c, 3 T, 4 t, 5 P, 6 R, 7 p)
    int maxWidth = 0;  // largest window width; 0: the screen's width
    int maxHeight = 0;
};

// Deletes the record from the file under its lock; for a cancellation whose rectification is
// to be undone, then restores the rectified record and removes its replacement, under the
// lock again. Throws IoError.
void DeleteListedMovement(const fs::path& file, const TMOVIMENTO& record, bool undoRectification);

class TFCANCMOVIM : public QDialog {
    Q_OBJECT
public:
    explicit TFCANCMOVIM(DeletionRequest request, QWidget* parent = nullptr);
    ~TFCANCMOVIM() override;

    void setRequest(DeletionRequest request) { request_ = std::move(request); }
    const DeletionRequest& request() const { return request_; }
    QChar mode() const;

    // The records listed, in the order of the lines.
    const std::vector<TMOVIMENTO>& listed() const { return listed_; }

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open();
    void build();
    void yearExit();
    void confirmExit();
    void deleteTicked();
    void tickAll(bool ticked);

    DeletionRequest request_;
    const DeletionMode* mode_ = nullptr;
    QLineEdit* year_;
    QListWidget* list_;
    QPushButton* all_;
    QPushButton* none_;
    QPushButton* leave_;
    QLineEdit* confirm_;
    std::vector<TMOVIMENTO> listed_;
    QString listedYear_;
    bool deleting_ = false;
};

// Opens the deletion window in the request's mode.
void OpenDeletion(QWidget* parent, const DeletionRequest& request);

}  // namespace braxol::production
