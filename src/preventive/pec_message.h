#pragma once
// What the sending window puts in the certified e-mail, without a window: the subject of a
// communication, the subject of the copy the brewery sends itself, the SMTP account of the
// stored one, and the messages of the outcome.

#include <QString>

#include "net/smtp_client.h"
#include "preventive/pec_account.h"
#include "store/records.h"

namespace braxol::preventive {

// CACCI1 as stored (18 characters, blanks included) + "- Comunicazione preventiva n. " +
// number + "/" + year + " riferita alla produzione di birra del " + the brew date.
QString PecSubject(const TUTENTE& company, const TMOVIMENTO& communication);

// The subject of the copy: the time and date of the sending as the communication records them,
// then the subject. When the first pass failed the communication records no sending: the copy
// says so instead.
QString CopySubject(const TMOVIMENTO& communication, const QString& subject, bool firstPassSent);

// The account's SMTP settings: the port of its choice; the sender is also the user name.
net::SmtpAccount SmtpAccountOf(const PecAccount& account);

// "ERRORE: " + the reason with every character of code 13 or below taken out.
QString ErrorMessage(const std::string& reason);

// The success message: "PEC inviata alle ore: HH:MM in data dd/mm/yyyy".
QString SentMessage(const TMOVIMENTO& stamped);

}  // namespace braxol::preventive
