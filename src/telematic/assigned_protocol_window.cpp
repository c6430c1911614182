#include "telematic/assigned_protocol_window.h"

#include <QLineEdit>
#include <QShowEvent>

#include "store/dates.h"
#include "store/io_error.h"
#include "telematic/assigned_protocols.h"
#include "ui/confirm_button.h"
#include "ui/field_exit.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"
#include "ui/seams.h"
#include "ui/text.h"

namespace braxol::telematic {
namespace {

// A protocol date stored on the request counts from 06/07/2009 on; before, today is proposed.
constexpr double kFirstStoredDate = 40000;

}  // namespace

TFPROT_RETE::TFPROT_RETE(RequestWindowContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      fields_(this, {true, false}),
      record_(BlankMovement()) {
    setObjectName("FPROT_RETE");
    setWindowTitle(QStringLiteral("Protocollo rilasciato per il Registro Telematico"));
    fields_.makeReadOnly({fields_.validFrom(), fields_.family(), fields_.title()});
    fields_.layOut();
    setTabOrder(fields_.protocolDate(), fields_.protocol());
    setTabOrder(fields_.protocol(), fields_.confirm());
    setTabOrder(fields_.confirm(), fields_.leave());

    setFirstField(fields_.protocolDate());
    countTypingIn({fields_.protocolDate(), fields_.protocol()});
    fields_.guardConfirmOnce();
    fields_.confirm()->setChecks([this] { return checks(); });
    fields_.confirm()->setSave([this] { save(); });
    ui::OnFieldExit(fields_.protocolDate(), [this] { dateExit(); });
}

TFPROT_RETE::~TFPROT_RETE() {
    ui::StopFieldExits(this);
}

void TFPROT_RETE::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFPROT_RETE::open() {
    saved_ = false;
    record_ = context_.chosen;
    TrimMovement(record_);
    fields_.show(record_);
    const bool storedDate = record_.DATFLU > kFirstStoredDate && IsValidDate(record_.DATFLU);
    fields_.protocolDate()->setDate(storedDate ? record_.DATFLU : ui::Today());
    if (record_.NUMPRO.trimmed() <= std::string("!")) fields_.protocol()->clear();
    fields_.protocolDate()->setFocus(Qt::OtherFocusReason);
    fields_.protocolDate()->setCursorPosition(0);
}

bool TFPROT_RETE::readProtocolDate() {
    const auto date = fields_.protocolDate()->date();
    if (!date) return false;
    record_.DATFLU = *date;
    record_.ANNPRO.set(std::to_string(YearOfDate(*date).value_or(0)));
    return true;
}

void TFPROT_RETE::dateExit() {
    if (untouched()) return;
    if (!readProtocolDate()) ui::ReturnFocus(fields_.protocolDate());
}

bool TFPROT_RETE::checks() {
    if (!readProtocolDate()) {
        fields_.protocolDate()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const QString number = fields_.protocol()->text().trimmed();
    if (number.isEmpty()) {
        ui::Warn(this, kProtocolMissing);
        fields_.protocol()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    ui::SetField(record_.NUMPRO, number);
    PadMovement(record_);
    return true;
}

void TFPROT_RETE::save() {
    try {
        if (!RecordAssignedProtocol(context_.folders, record_))
            ui::Warn(this, kRequestGone);
        else
            saved_ = true;
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    accept();
}

bool OpenAssignedProtocol(QWidget* parent, RequestWindowContext context) {
    TFPROT_RETE window(std::move(context), parent);
    window.exec();
    return window.saved();
}

}  // namespace braxol::telematic
