#pragma once
// The register searches: TFRICTUTTO ("Ricerca Produzioni e Lavaggi "), TFRICREGC (productions,
// mode "P", or the sent ones, mode "p") and TFRICREGL (washes, "L", or the sent ones, "l").
// Each lists the records of a range of dates in the report preview and saves them in its
// export file of the temporary folder, which "apri il file" then opens with the desktop's
// associated program. The windows stay open after a search.

#include <QChar>
#include <filesystem>
#include <optional>

#include "production/register_search.h"
#include "production/report_window.h"
#include "store/work_folders.h"

class QLabel;

namespace braxol::production {

struct SearchRequest {
    WorkFolders folders;
    QChar mode;  // the mode letter set by the main window (none for TFRICTUTTO)
};

class RegisterSearchWindow : public ReportWindow {
    Q_OBJECT
public:
    SearchKind kind() const { return kind_; }
    // The outcome of the last search, if one ran since the window was shown.
    const std::optional<SearchOutcome>& lastSearch() const { return last_; }

protected:
    RegisterSearchWindow(const SearchRequest& request, SearchKind kind, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void open();
    bool checks();
    void search();
    void openFile();

    SearchRequest request_;
    SearchKind kind_;
    DateRange range_;
    std::filesystem::path csv_;
    std::optional<SearchOutcome> last_;
    QLabel* fileLabel_;        // lfile
    QPushButton* openButton_;  // BAPRI
};

class TFRICTUTTO : public RegisterSearchWindow {
    Q_OBJECT
public:
    explicit TFRICTUTTO(const SearchRequest& request, QWidget* parent = nullptr);
};

// Mode "P" or "p"; any other mode works as "P".
class TFRICREGC : public RegisterSearchWindow {
    Q_OBJECT
public:
    explicit TFRICREGC(const SearchRequest& request, QWidget* parent = nullptr);
};

// Mode "L" or "l"; any other mode works as "L".
class TFRICREGL : public RegisterSearchWindow {
    Q_OBJECT
public:
    explicit TFRICREGL(const SearchRequest& request, QWidget* parent = nullptr);
};

// Open the windows modally.
void OpenSearchAll(QWidget* parent, const SearchRequest& request);
void OpenSearchProductions(QWidget* parent, const SearchRequest& request);
void OpenSearchWashes(QWidget* parent, const SearchRequest& request);

}  // namespace braxol::production
