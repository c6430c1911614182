#include "telematic/assigned_protocol_window.h"

#include <QLineEdit>

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
    : RequestWindow(std::move(context), {true, false}, parent) {
    setObjectName("FPROT_RETE");
    setWindowTitle(QStringLiteral("Protocollo rilasciato per il Registro Telematico"));
    fields_.makeReadOnly({fields_.validFrom(), fields_.family(), fields_.title()});
    fields_.layOut();
    chainThrough({fields_.protocolDate(), fields_.protocol()});
    setFirstField(fields_.protocolDate());
    countTypingIn({fields_.protocolDate(), fields_.protocol()});
    fields_.guardConfirmOnce();
    fields_.confirm()->setChecks([this] { return checks(); });
    fields_.confirm()->setSave([this] { save(); });
    ui::OnFieldExit(fields_.protocolDate(), [this] {
        if (!untouched() && !readProtocolDate()) ui::ReturnFocus(fields_.protocolDate());
    });
}

void TFPROT_RETE::opened() {
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

bool TFPROT_RETE::checks() {
    if (!readProtocolDate()) {
        fields_.protocolDate()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const QString number = fields_.protocol()->text().trimmed();
    if (number.isEmpty()) {
        fields_.protocol()->setFocus(Qt::OtherFocusReason);
        ui::Warn(this, kProtocolMissing);
        return false;
    }
    ui::SetField(record_.NUMPRO, number);
    PadMovement(record_);
    return true;
}

void TFPROT_RETE::save() {
    bool stored = false;
    try {
        stored = RecordAssignedProtocol(context_.folders, record_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    if (!stored) ui::Warn(this, kRequestGone);
    finish(stored);
}

bool OpenAssignedProtocol(QWidget* parent, RequestWindowContext context) {
    TFPROT_RETE window(std::move(context), parent);
    window.exec();
    return window.saved();
}

}  // namespace braxol::telematic
