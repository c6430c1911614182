#include "telematic/detach_window.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "production/deletion_window.h"
#include "store/io_error.h"
#include "store/record_file.h"
#include "telematic/finish_stamps.h"
#include "telematic/flow_marking.h"
#include "telematic/flow_messages.h"
#include "telematic/flow_stamps.h"
#include "telematic/tick_list.h"
#include "telematic/verification_rows.h"
#include "ui/busy_cursor.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"

namespace braxol::telematic {
TFCANCFLUSSO::TFCANCFLUSSO(DetachContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      flow_(this, context_.workingYear, [this] { rebuild(); }),
      list_(new QListWidget(this)),
      all_(new QPushButton(QStringLiteral("Tutti"), this)),
      none_(new QPushButton(QStringLiteral("Nessuno"), this)),
      answer_(new QLineEdit(this)),
      leave_(new QPushButton(QStringLiteral("&Abbandona"), this)) {
    setObjectName("FCANCFLUSSO");
    setWindowTitle(QStringLiteral("RIATTIVA I RECORD ASSOCIATI AD UN FLUSSO"));
    list_->setObjectName("CELENCO");
    all_->setObjectName("BTUTTI");
    none_->setObjectName("BNESSUNO");
    answer_->setObjectName("ECONF");
    leave_->setObjectName("BABBANDONA");

    answer_->setMaxLength(2);
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (QPushButton* b : {all_, none_, leave_}) b->setAutoDefault(false);
    layOut();

    setFirstField(flow_.date());
    countTypingIn({flow_.date(), flow_.number(), flow_.year(), answer_});
    ui::OnFieldExit(answer_, [this] { answerExit(); });
    connect(all_, &QPushButton::clicked, this, [this] { TickAll(list_, true); });
    connect(none_, &QPushButton::clicked, this, [this] { TickAll(list_, false); });
    connect(leave_, &QPushButton::clicked, this, &QDialog::reject);
}

TFCANCFLUSSO::~TFCANCFLUSSO() {
    ui::StopFieldExits(this);
}

void TFCANCFLUSSO::layOut() {
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName("ET" + buddy->objectName());
        l->setBuddy(buddy);
        return l;
    };
    auto warning = [this](const QString& name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setWordWrap(true);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        return l;
    };
    answer_->setMaximumWidth(QFontMetrics(answer_->font()).horizontalAdvance("000000"));

    auto* ticks = new QVBoxLayout;
    ticks->addWidget(all_);
    ticks->addWidget(none_);
    ticks->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(flow_.grid(), 1);
    top->addLayout(ticks);

    auto* confirm = new QHBoxLayout;
    confirm->addWidget(label(QStringLiteral("DIGITA \"SI\" PER RIATTIVARE "), answer_));
    confirm->addWidget(answer_);
    confirm->addStretch();
    confirm->addWidget(leave_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(warning(
        "LATTENZIONE",
        QStringLiteral("ATTENZIONE !!!  RIATTIVA SOLO SE IL RECORD NON E' STATO ACQUISITO DAL "
                       "SISTEMA TELEMATICO ")));
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addWidget(warning(
        "LRICORDA",
        QStringLiteral("RICORDA: IL SISTEMA TELEMATICO RIPORTA NEI DETTAGLI DEL FLUSSO INVIATO "
                       "GLI ERRORI  RISCONTRATI: ")));
    layout->addWidget(warning(
        "LSCARTATO", QStringLiteral("SE e SOLO SE LA NOTA INIZIA CON IL CARATTERE \"E\" ALLORA "
                                    "SIGNIFICA CHE IL DATO E' STATO SCARTATO .")));
    layout->addLayout(confirm);

    setTabOrder(flow_.date(), flow_.number());
    setTabOrder(flow_.number(), flow_.year());
    setTabOrder(flow_.year(), list_);
    setTabOrder(list_, all_);
    setTabOrder(all_, none_);
    setTabOrder(none_, answer_);
    setTabOrder(answer_, leave_);
    resize(820, 520);
}

void TFCANCFLUSSO::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFCANCFLUSSO::open() {
    // A stamping that a crash interrupted is finished before anything is listed.
    FinishInterruptedStampsOrTell(this, context_.folders);
    list_->clear();
    listed_.clear();
    listedYear_ = 0;
    listedFlow_.reset();
    writeCopies();
    answer_->clear();
    setUntouched(true);
    flow_.reset();
}

void TFCANCFLUSSO::writeCopies() {
    try {
        RebuildWorkingFile<TMOVIMENTO>(context_.folders.inTemp(production::kDeletionFileName),
                                       listed_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
}

// The flow's records of the year in the list, unticked, and their copies in CANCELLA.MOV.
// Leaving a field without changing the flow or the year keeps the list and its ticks.
void TFCANCFLUSSO::rebuild() {
    const auto date = flow_.flowDate();
    const int number = flow_.flowNumber();
    const auto year = flow_.flowYear();
    const ListedFlow key{date.value_or(0), number, year.value_or(0)};
    if (listedFlow_ && *listedFlow_ == key) return;
    listedFlow_ = key;
    list_->clear();
    listed_.clear();
    listedYear_ = 0;
    if (date && number > 0 && year) {
        try {
            ui::BusyCursor busy;
            const FlowStamp stamp{*date, number};
            listed_ = FlowRecordsOfYear(context_.folders, *year, [&stamp](const TMOVIMENTO& r) {
                return CarriesStamp(r, stamp);
            });
            listedYear_ = *year;
            for (const QString& row : FlowRows(listed_, FlowRowStyle::Detach))
                AddTickable(list_, row);
        } catch (const IoError& e) {
            listed_.clear();
            list_->clear();
            ui::ShowIoError(this, e);
        }
    }
    writeCopies();
    if (list_->count() > 0) list_->setCurrentRow(0);
}

bool TFCANCFLUSSO::eventFilter(QObject* watched, QEvent* event) {
    if (watched == answer_ && event->type() == QEvent::FocusOut)
        answerLeftBy_ = static_cast<QFocusEvent*>(event)->reason();
    if (watched == answer_ && event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            answerEntered();
    }
    return ui::EntryWindow::eventFilter(watched, event);
}

// Nothing to answer yet: the window untouched goes back to the date, an empty list to the list.
void TFCANCFLUSSO::answerEntered() {
    if (untouched())
        ui::ReturnFocus(flow_.date());
    else if (list_->count() == 0)
        ui::ReturnFocus(list_);
}

void TFCANCFLUSSO::answerExit() {
    // A click on "Abbandona" is leaving the window, whatever was typed.
    if (answerLeftBy_ == Qt::MouseFocusReason && QApplication::focusWidget() == leave_) return;
    if (flow_.flowYear()) context_.workingYear = flow_.year()->text().trimmed();
    if (answer_->text() != kDetachAnswer || list_->count() == 0 || untouched()) {
        ui::ReturnFocus(list_);
        return;
    }
    // Once only, whatever focus changes follow.
    setUntouched(true);
    detach();
}

void TFCANCFLUSSO::detach() {
    std::vector<TMOVIMENTO> chosen;
    for (int i : TickedRows(list_))
        if (i < static_cast<int>(listed_.size()))
            chosen.push_back(listed_[static_cast<std::size_t>(i)]);
    int detached = 0;
    try {
        ui::BusyCursor busy;
        detached = DetachFlowRecords(context_.folders, chosen, listedYear_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
    }
    if (detached > 0) ui::Inform(this, kDetached);
    accept();
}

}  // namespace braxol::telematic
