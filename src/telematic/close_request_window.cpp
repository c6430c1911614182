#include "telematic/close_request_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

#include "store/io_error.h"
#include "telematic/register_requests.h"
#include "ui/confirm_button.h"
#include "ui/fields.h"
#include "ui/io_error_box.h"

namespace braxol::telematic {

QString ClosingCaption(QChar mode) {
    return mode == QLatin1Char(kCancellationRequest)
               ? QStringLiteral("   Annulla Registro Telematico  ")
               : QStringLiteral("Chiusura del Registro Telematico");
}

TFCHIUANNPROT_RETE::TFCHIUANNPROT_RETE(RequestWindowContext context, QWidget* parent)
    : ui::EntryWindow(parent),
      context_(std::move(context)),
      heading_(new QLabel(this)),
      fields_(this, {true, true}),
      record_(BlankMovement()) {
    setObjectName("FCHIUANNPROT_RETE");
    heading_->setObjectName("Label5");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    fields_.makeReadOnly({fields_.validFrom(), fields_.family(), fields_.title(),
                          fields_.protocolDate(), fields_.protocol()});
    fields_.layOut(heading_);
    setTabOrder(fields_.send(), fields_.confirm());
    setTabOrder(fields_.confirm(), fields_.leave());
    setFirstField(fields_.send());
    // Nothing is typed here: what is shown is what the request carries.
    fields_.confirm()->setChecks([this] { return checks(); });
    fields_.confirm()->setSave([this] { save(); });
}

void TFCHIUANNPROT_RETE::showEvent(QShowEvent* event) {
    ui::EntryWindow::showEvent(event);
    if (!event->spontaneous()) open();
}

void TFCHIUANNPROT_RETE::open() {
    saved_ = false;
    const QString caption = ClosingCaption(context_.mode);
    setWindowTitle(caption);
    heading_->setText(caption);
    TMOVIMENTO shown = context_.chosen;
    TrimMovement(shown);
    fields_.show(shown);
    fields_.send()->setChecked(true);
    fields_.send()->setFocus(Qt::OtherFocusReason);
}

bool TFCHIUANNPROT_RETE::checks() {
    const TMOVIMENTO& chosen = context_.chosen;
    const bool cancellation = context_.mode == QLatin1Char(kCancellationRequest);
    record_ = NewRequest(cancellation ? kCancellationRequest : kClosingRequest);
    record_.ANNPRO = chosen.ANNPRO;
    record_.NUMPRO = chosen.NUMPRO;
    record_.DATFLU = chosen.DATFLU;
    record_.ANNOTA = chosen.ANNOTA;
    record_.DATMOV = chosen.DATMOV;
    record_.INTER1 = chosen.INTER1;
    PadMovement(record_);
    return true;
}

void TFCHIUANNPROT_RETE::save() {
    try {
        AddRequest(context_.folders.requestsFile(), record_);
    } catch (const IoError& e) {
        ui::ShowIoError(this, e);
        return;
    }
    saved_ = true;
    accept();
}

void OpenClosingRequest(QWidget* parent, RequestWindowContext context) {
    TFCHIUANNPROT_RETE window(context, parent);
    window.exec();
    if (window.sendAfter() && context.openRequestFlow) context.openRequestFlow(parent);
}

}  // namespace braxol::telematic
