#pragma once
// The report preview: one page at a time, zoomed to show the whole page or to fill the width,
// with buttons to go through the pages, change the zoom, print, save a PDF and close.

#include <QDialog>

#include "reports/output.h"

class QLabel;

namespace braxol::reports {

class PageView;

class TFANTEPRIMA : public QDialog {
    Q_OBJECT
public:
    TFANTEPRIMA(const Report& report, const QString& title, QWidget* parent = nullptr,
                Zoom zoom = Zoom::WholePage);
    int pageShown() const;

private:
    void savePdf();
    void print();
    void showPage(int page);

    const Report& report_;
    PageView* view_;
    QLabel* pageLabel_;
};

}  // namespace braxol::reports
