#pragma once
// The tribute search window FRICREGDER ("Ricerca nei registri tributi"): the records E
// ("Registro accise") or R ("Registro ravvedimenti") of a range of tax periods of one year,
// shown as a list in the report preview and saved as RICERCA_E.CSV / RICERCA_R.CSV in the
// temporary folder, which "apri il file" then opens with the desktop's associated program.
// In the mode of "Ricerca Tributi Inviati" ("Ricerca tributi inviati") only the sent records
// are listed. The window stays open after a search.

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

#include "reports/report.h"
#include "tributes/tribute_request.h"
#include "tributes/tribute_search.h"
#include "ui/entry_window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace braxol::ui {
class ConfirmButton;
}

namespace braxol::tributes {

class TFRICREGDER : public ui::EntryWindow {
    Q_OBJECT
public:
    explicit TFRICREGDER(TributeRequest request, QWidget* parent = nullptr);
    ~TFRICREGDER() override;

    void setRequest(TributeRequest request) { request_ = std::move(request); }
    const TributeRequest& request() const { return request_; }
    bool sentOnly() const { return SearchesSentOnly(request_); }

    // Where the report goes; the report preview unless replaced.
    using Preview = std::function<void(const reports::Report&, const QString& title)>;
    void setPreview(Preview preview) { preview_ = std::move(preview); }

    // The outcome of the last search, if one ran since the window was shown.
    const std::optional<SearchOutcome>& lastSearch() const { return last_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void open();
    TributeKind kind() const;
    bool checks();
    void search();
    void openFile();

    TributeRequest request_;
    Preview preview_;
    SearchRange range_;
    std::optional<SearchOutcome> last_;
    std::filesystem::path csv_;

    QRadioButton* excise_;      // RREGISTRI, "Registro accise"
    QRadioButton* correction_;  // RREGISTRI, "Registro ravvedimenti"
    QLineEdit* from_;           // MDADA "Dal mese/anno"
    QLineEdit* to_;             // MDAAL "Al mese"
    ui::ConfirmButton* confirm_;
    QLabel* fileLabel_;        // lfile
    QPushButton* openButton_;  // BAPRI
    QPushButton* leave_;       // BABBANDONA
};

// Opens FRICREGDER modally: every tribute record, or only the sent ones in mode "t".
void OpenTributeSearch(QWidget* parent, const TributeRequest& request);

}  // namespace braxol::tributes
