#include "reports/preview_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/output.h"
#include "reports/page_view.h"
#include "ui/enter_on_buttons.h"
#include "ui/seams.h"

namespace braxol::reports {

TFANTEPRIMA::TFANTEPRIMA(const Report& report, const QString& title, QWidget* parent, Zoom zoom)
    : QDialog(parent), report_(report) {
    setObjectName("FANTEPRIMA");
    setWindowTitle(title.isEmpty() ? "Anteprima di stampa" : title);
    setModal(true);
    resize(900, 700);

    view_ = new PageView(report, zoom, this);

    auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        ui::PressOnEnter({b});
        return b;
    };
    QPushButton* first = button("|<", "BPRIMA");
    QPushButton* previous = button("<", "BPRECEDENTE");
    QPushButton* next = button(">", "BSUCCESSIVA");
    QPushButton* last = button(">|", "BULTIMA");
    QPushButton* whole = button("Pagina &intera", "BPAGINAINTERA");
    QPushButton* width = button("&Larghezza pagina", "BLARGHEZZA");
    QPushButton* printButton = button("&Stampa", "BSTAMPA");
    QPushButton* pdf = button("Salva &PDF", "BSALVAPDF");
    QPushButton* close = button("&Chiudi", "BCHIUDI");
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName("LPAGINA");

    auto* bar = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{first, previous, pageLabel_, next, last, whole, width})
        bar->addWidget(w);
    bar->addStretch();
    for (QWidget* w : std::initializer_list<QWidget*>{printButton, pdf, close}) bar->addWidget(w);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(view_, 1);

    connect(first, &QPushButton::clicked, this, [this] { showPage(1); });
    connect(previous, &QPushButton::clicked, this, [this] { showPage(view_->currentPage() - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showPage(view_->currentPage() + 1); });
    connect(last, &QPushButton::clicked, this, [this] { showPage(view_->pageCount()); });
    connect(whole, &QPushButton::clicked, this, [this] { view_->setZoom(Zoom::WholePage); });
    connect(width, &QPushButton::clicked, this, [this] { view_->setZoom(Zoom::PageWidth); });
    connect(printButton, &QPushButton::clicked, this, &TFANTEPRIMA::print);
    connect(pdf, &QPushButton::clicked, this, &TFANTEPRIMA::savePdf);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(view_, &PageView::pageChanged, this, &TFANTEPRIMA::showPage);
    showPage(1);
    view_->setFocus();
}

int TFANTEPRIMA::pageShown() const {
    return view_->currentPage();
}

void TFANTEPRIMA::showPage(int page) {
    view_->setCurrentPage(page);
    pageLabel_->setText(
        QString("Pagina %1 di %2").arg(view_->currentPage()).arg(view_->pageCount()));
}

void TFANTEPRIMA::print() {
    PrintWithDialog(report_, this);
}

void TFANTEPRIMA::savePdf() {
    QString path = ui::Seams::files().saveFile(this, "Salva il PDF", QString(), "PDF (*.pdf)");
    if (path.isEmpty()) return;
    if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
    if (!SaveReportPdf(report_, path))
        ui::Inform(this, "IMPOSSIBILE SCRIVERE IL FILE " + path, ui::Severity::Error);
}

void ShowPreview(const Report& report, const QString& title, QWidget* parent, Zoom zoom) {
    TFANTEPRIMA preview(report, title, parent, zoom);
    preview.exec();
}

}  // namespace braxol::reports
