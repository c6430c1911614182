#include "telematic/close_request_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "telematic/register_requests.h"
#include "ui/confirm_button.h"
#include "ui/fields.h"

namespace braxol::telematic {

QString ClosingCaption(QChar mode) {
    return mode == QLatin1Char(kCancellationRequest)
               ? QStringLiteral("   Annulla Registro Telematico  ")
               : QStringLiteral("Chiusura del Registro Telematico");
}

TFCHIUANNPROT_RETE::TFCHIUANNPROT_RETE(RequestWindowContext context, QWidget* parent)
    : RequestWindow(std::move(context), {true, true}, parent), heading_(new QLabel(this)) {
    setObjectName("FCHIUANNPROT_RETE");
    heading_->setObjectName("Label5");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    fields_.makeReadOnly({fields_.validFrom(), fields_.family(), fields_.title(),
                          fields_.protocolDate(), fields_.protocol()});
    fields_.layOut(heading_);
    chainThrough({});
    setFirstField(fields_.send());
    // Nothing is typed here: what is shown is what the request carries.
    fields_.confirm()->setChecks([this] { return checks(); });
    fields_.confirm()->setSave([this] { addRequest(); });
}

void TFCHIUANNPROT_RETE::opened() {
    const QString caption = ClosingCaption(context_.mode);
    setWindowTitle(caption);
    heading_->setText(caption);
    TMOVIMENTO shown = context_.chosen;
    TrimMovement(shown);
    fields_.show(shown);
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

}  // namespace braxol::telematic
