#pragma once
// The totals window FTOTALIMP ("Totali materie prime"): at a date (MDAAL), per material, the
// stock brought forward from the years before, the loads and unloads of the date's year up to
// it and the stock; written to TOTALI.MP, shown in the report preview, and the window closes.

#include "rawmaterials/search_window.h"
#include "store/work_folders.h"
#include "ui/entry_window.h"

class QPushButton;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
}  // namespace braxol::ui

namespace braxol::rawmaterials {

class TFTOTALIMP : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFTOTALIMP(WorkFolders folders, QWidget* parent = nullptr);
    ~TFTOTALIMP() override;

    void setPreview(Preview preview) { preview_ = std::move(preview); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool checks();
    void compute();

    WorkFolders folders_;
    Preview preview_;
    double date_ = 0;

    ui::DateEdit* end_;  // MDAAL
    ui::ConfirmButton* confirm_;
    QPushButton* leave_;  // BABBANDONA
};

void OpenRawMaterialTotals(QWidget* parent, const WorkFolders& folders);

}  // namespace braxol::rawmaterials
