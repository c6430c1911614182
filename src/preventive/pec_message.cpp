#include "preventive/pec_message.h"

#include "store/dates.h"
#include "ui/text.h"

namespace braxol::preventive {
namespace {

QString Date(double d) {
    return QString::fromStdString(FormatDate(d));
}

}  // namespace

QString PecSubject(const TUTENTE& company, const TMOVIMENTO& c) {
    const auto year = YearOfDate(c.DATDOC);
    return ui::FromRecord(company.CACCI1.padded()) + "- Comunicazione preventiva n. " +
           QString::number(c.INTER2) + "/" + (year ? QString::number(*year) : QString()) +
           " riferita alla produzione di birra del " + Date(c.DATDOC);
}

QString CopySubject(const TMOVIMENTO& c, const QString& subject, bool firstPassSent) {
    if (!firstPassSent) return "copia PEC NON inviata alla Dogana: " + subject.trimmed();
    return "copia PEC inviata alle ore: " + ui::FromRecord(c.MITDES.padded()) + " del " +
           Date(c.DATPEC) + " " + subject.trimmed();
}

net::SmtpAccount SmtpAccountOf(const PecAccount& a) {
    net::SmtpAccount s;
    s.host = a.server.trimmed().toStdString();
    s.port = net::SmtpPortOfChoice(a.portChoice);
    s.ssl = a.ssl;
    s.user = a.sender.trimmed().toStdString();
    s.password = a.password.toStdString();
    return s;
}

QString ErrorMessage(const std::string& reason) {
    QString text = QString::fromStdString(reason);
    text.removeIf([](QChar c) { return c.unicode() <= 13; });
    return "ERRORE: " + text;
}

QString SentMessage(const TMOVIMENTO& c) {
    return "PEC inviata alle ore: " + ui::FromField(c.MITDES) + " in data " + Date(c.DATPEC);
}

}  // namespace braxol::preventive
