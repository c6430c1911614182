#pragma once
// The report preview: the pages zoomed to show a whole page, with buttons to go through the
// pages, print, save a PDF and close.

#include <QDialog>
#include <QPrinter>

#include "reports/report.h"

class QPrintPreviewWidget;
class QLabel;

namespace braxol::reports {

class TFANTEPRIMA : public QDialog {
    Q_OBJECT
public:
    TFANTEPRIMA(const Report& report, const QString& title, QWidget* parent = nullptr);
    int pageShown() const;

private:
    void savePdf();
    void print();
    void showPage(int page);

    const Report& report_;
    QPrinter printer_;
    QPrintPreviewWidget* view_;
    QLabel* pageLabel_;
};

}  // namespace braxol::reports
