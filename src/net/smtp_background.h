#pragma once
// The sending of a message off the calling thread: the SMTP conversation runs on a worker
// thread while the caller's event loop keeps running for everything but user input, so that
// the windows stay drawn and cannot be worked meanwhile. It ends at the latest when the
// limits of SmtpLimits run out.

#include "net/smtp_client.h"

namespace braxol::net {

SmtpResult SendMailInBackground(const SmtpAccount& account, const SmtpMessage& message,
                                const SmtpLimits& limits = {});

}  // namespace braxol::net
