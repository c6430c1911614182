#pragma once
// FSCEGLIMOVIMENTO: the records of one year's file that the mode lists, one row each, sortable
// by a click on a column title; Enter, a double click or OK returns the NUMOPE of the row,
// Esc or "Abbandona" returns -1. The rows go through TABELLA.TXT in the temporary folder.

#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

#include "production/movement_modes.h"
#include "store/records.h"
#include "store/work_folders.h"
#include "tables/row_file.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace braxol::production {

struct ChooserRequest {
    WorkFolders folders;
    QChar mode;         // M, E, e, D, T, t, A, F, P, m, C, I
    int tag = 0;        // the tag of the menu action that opened the chooser
    int maxWidth = 0;   // largest window size; 0: the screen less 50
    int maxHeight = 0;  // and less 100
};

struct ChooserResult {
    int numope = -1;  // negative when nothing was chosen
    QString year;     // the year of the file listed, "yyyy"
};

class TFSCEGLIMOVIMENTO : public QDialog {
    Q_OBJECT
public:
    explicit TFSCEGLIMOVIMENTO(ChooserRequest request, QWidget* parent = nullptr);
    ~TFSCEGLIMOVIMENTO() override;

    // The mode and folders used at the next opening.
    void setRequest(ChooserRequest request) { request_ = std::move(request); }
    const ChooserRequest& request() const { return request_; }

    ChooserResult chosen() const { return {chosen_, listedYear_}; }
    // The rows as shown, in their current order.
    const std::vector<tables::ListRow>& rows() const { return rows_; }
    // Each column's width in characters, as the last build left it.
    const std::vector<int>& widths() const { return widths_; }

    void setVisible(bool visible) override;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open();
    void rebuild();
    void fill();
    void fit();
    void yearExit();
    void sortBy(int section);
    void choose();

    ChooserRequest request_;
    const ChooserMode* mode_ = nullptr;
    QLineEdit* year_;
    QPushButton* ok_;
    QPushButton* leave_;
    QTableWidget* list_;
    std::vector<tables::ListRow> rows_;
    std::vector<int> widths_;
    QString listedYear_;
    int chosen_ = -1;
};

// Shows the chooser centred and returns what was chosen.
ChooserResult ChooseMovement(QWidget* parent, const ChooserRequest& request);

// The file a chooser mode lists for a year ("yyyy").
fs::path ChooserFilePath(const WorkFolders& folders, QChar mode, const QString& year);

// The chosen record as stored in the file of the chooser's mode and year; nothing when
// nothing was chosen, the file does not exist or holds no such record. A damaged file is
// reported in the error box and gives nothing.
std::optional<TMOVIMENTO> ReadChosenMovement(QWidget* parent, const WorkFolders& folders,
                                             QChar mode, const ChooserResult& chosen);

// The chooser followed by the reading of the record chosen.
std::optional<TMOVIMENTO> ChooseAndReadMovement(QWidget* parent, const ChooserRequest& request,
                                                ChooserResult* chosen = nullptr);

}  // namespace braxol::production
