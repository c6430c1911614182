#pragma once
// TFRIEPMESE, "Riepilogo produzioni per periodo tributo": the one-page summary of the
// productions of a range of dates (normally a tax period), shown in the report preview. The
// window writes no file and stays open after printing.

#include "production/report_window.h"
#include "store/records.h"
#include "store/work_folders.h"

namespace braxol::production {

struct SummaryRequest {
    WorkFolders folders;
    TUTENTE company = BlankTutente();  // strings trimmed
};

class TFRIEPMESE : public ReportWindow {
    Q_OBJECT
public:
    explicit TFRIEPMESE(SummaryRequest request, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void print();

    SummaryRequest request_;
    DateRange range_;
};

void OpenPeriodSummary(QWidget* parent, const SummaryRequest& request);

}  // namespace braxol::production
