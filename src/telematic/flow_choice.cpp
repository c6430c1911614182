#include "telematic/flow_choice.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "telematic/tick_list.h"
#include "ui/confirm_button.h"
#include "ui/entry_window.h"
#include "ui/fields.h"

namespace braxol::telematic {

FlowChoice::FlowChoice(ui::EntryWindow* window)
    : window_(window),
      list_(new QListWidget(window)),
      all_(new QPushButton(QStringLiteral("Tutti"), window)),
      none_(new QPushButton(QStringLiteral("Nessuno"), window)),
      folder_(new QLabel(window)),
      date_(new ui::DateEdit(window)),
      number_(new ui::IntegerEdit(window)),
      sign_(new QCheckBox(QStringLiteral("Esegue Firma e Verifica "), window)),
      confirm_(new ui::ConfirmButton(window)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), window)) {
    list_->setObjectName("CELENCO");
    all_->setObjectName("BTUTTI");
    none_->setObjectName("BNESSUNO");
    folder_->setObjectName("LFLUSSO");
    date_->setObjectName("DATFLU");
    number_->setObjectName("NUMFLU");
    sign_->setObjectName("CFIRMA");
    leave_->setObjectName("BABBANDONA");

    number_->setMaxLength(2);
    number_->setToolTip(QStringLiteral("indicare un valore compreso tra 1 e 99"));
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    sign_->setChecked(true);
    for (QPushButton* b : {all_, none_, leave_}) b->setAutoDefault(false);
    folder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QObject::connect(all_, &QPushButton::clicked, window, [this] { TickAll(list_, true); });
    QObject::connect(none_, &QPushButton::clicked, window, [this] { TickAll(list_, false); });
    QObject::connect(leave_, &QPushButton::clicked, window, &QDialog::reject);
}

void FlowChoice::layOut(ui::IntegerEdit* year) {
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, window_);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    const QFontMetrics metrics = window_->fontMetrics();
    number_->setMaximumWidth(metrics.horizontalAdvance(QStringLiteral("000000")));
    date_->setMaximumWidth(metrics.horizontalAdvance(QStringLiteral("00/00/000000")));

    auto* top = new QHBoxLayout;
    if (year) {
        year->setMaximumWidth(metrics.horizontalAdvance(QStringLiteral("00000000")));
        top->addWidget(label(QStringLiteral("Movimenti nell'anno:"), year));
        top->addWidget(year);
    }
    top->addStretch();
    top->addWidget(all_);
    top->addWidget(none_);

    auto* where = new QHBoxLayout;
    where->addWidget(label(QStringLiteral("Il FLUSSO sarà generato nella cartella:  "), folder_));
    where->addWidget(folder_, 1);

    auto* flow = new QHBoxLayout;
    flow->addWidget(label(QStringLiteral("Data del  Flusso"), date_));
    flow->addWidget(date_);
    flow->addSpacing(20);
    flow->addWidget(label(QStringLiteral("Numero del  Flusso"), number_));
    flow->addWidget(number_);
    flow->addSpacing(20);
    flow->addWidget(sign_);
    flow->addStretch();
    flow->addWidget(confirm_);
    flow->addWidget(leave_);

    auto* layout = new QVBoxLayout(window_);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(where);
    layout->addLayout(flow);

    // The keyboard way of a new flow: date, number, signing, confirm; the list after.
    QWidget* previous = date_;
    for (QWidget* next : std::initializer_list<QWidget*>{number_, sign_, confirm_, leave_, year,
                                                         list_, all_, none_}) {
        if (!next) continue;
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

std::vector<TMOVIMENTO> FlowChoice::stampTicked(const std::vector<TMOVIMENTO>& listed,
                                                const FlowTarget& target,
                                                std::vector<TMOVIMENTO>& chosen) const {
    std::vector<TMOVIMENTO> copies = listed;
    for (int i : TickedRows(list_)) {
        if (i >= static_cast<int>(copies.size())) continue;
        TMOVIMENTO& copy = copies[static_cast<std::size_t>(i)];
        copy.DATFLU = target.date;
        copy.NUMFLU = target.number;
        chosen.push_back(copy);
    }
    return copies;
}

}  // namespace braxol::telematic
