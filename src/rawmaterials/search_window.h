#pragma once
// The search window FRICCARSCAMP ("Ricerca carichi e scarichi delle materie prime"): the loads
// and unloads of a date range (MDADA, MDAAL; the two dates may lie in different years) of one
// material (PRODDO, with the table's list on BPRODDO) or of all of them ("TUTTE", which a name
// missing from the table becomes), shown as a list in the report preview and saved as
// RICERCA_MP.CSV in the temporary folder, which "apri il file" (BAPRI) then opens with the
// desktop's associated program. The window stays open after a search.

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

#include "rawmaterials/search.h"
#include "reports/report.h"
#include "store/work_folders.h"
#include "tables/table_context.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace braxol::ui {
class ConfirmButton;
class DateEdit;
}  // namespace braxol::ui

namespace braxol::rawmaterials {

// Where a report goes: the preview unless a test catches it.
using Preview = std::function<void(const reports::Report&, const QString& title)>;

class TFRICCARSCAMP : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFRICCARSCAMP(const tables::TableContext& context, QWidget* parent = nullptr);
    ~TFRICCARSCAMP() override;

    void setPreview(Preview preview) { preview_ = std::move(preview); }
    // The outcome of the last search since the window was shown.
    const std::optional<SearchOutcome>& lastSearch() const { return last_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void materialExit();
    bool checks();
    void search();
    void chooseMaterial();
    void openFile();

    tables::TableContext context_;
    Preview preview_;
    std::optional<SearchOutcome> last_;
    double from_ = 0, to_ = 0;
    std::filesystem::path csv_;

    ui::DateEdit* start_;  // MDADA
    ui::DateEdit* end_;    // MDAAL
    QLineEdit* material_;  // PRODDO
    QPushButton* list_;    // BPRODDO
    ui::ConfirmButton* confirm_;
    QLabel* fileLabel_;        // lfile
    QPushButton* openButton_;  // BAPRI
    QPushButton* leave_;       // BABBANDONA
};

void OpenRawMaterialSearch(QWidget* parent, const tables::TableContext& context);

}  // namespace braxol::rawmaterials
