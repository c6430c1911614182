#pragma once
// The SMTP client of the certified e-mail (libcurl). One call sends one message, with a UTF-8
// subject and body and one file attached, to every address of a list, in one transaction: the
// message counts as sent only when the server has taken it for every recipient.
//
// The account's port decides how the connection is protected, when the account asks for it:
// implicit TLS on 465, STARTTLS on 25 and 587. TLS is 1.2 or newer, and the server's
// certificate and host name are verified against the system's trusted authorities. The client
// logs in (AUTH LOGIN or PLAIN) when the server offers it. Failures come back as an Italian
// reason, never as an exception.

#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace braxol::net {

enum class SmtpSecurity {
    Plain,        // in clear
    StartTls,     // in clear, then STARTTLS before anything else is said
    ImplicitTls,  // TLS from the first byte
};

// The outgoing ports the account offers, by the index stored with it: 0 = 25, 1 = 465,
// 2 = 587. Any other index is 25.
int SmtpPortOfChoice(int choice);

// How a connection to `port` is protected: nothing without `ssl`; with it, implicit TLS on 465
// and STARTTLS on any other port (25 and 587).
SmtpSecurity SecurityFor(int port, bool ssl);

struct SmtpAccount {
    std::string host;  // the server's name; also the name the client greets with
    int port = 25;     // 25, 465 or 587
    bool ssl = false;
    std::string user;  // the mailbox address
    std::string password;
};

struct SmtpMessage {
    std::string from;                     // the sender's address
    std::vector<std::string> recipients;  // addresses, each reached by the one message
    std::string subject;                  // UTF-8
    std::string body;                     // UTF-8 plain text
    std::string attachmentPath;           // the file attached, read whole before connecting
    std::string attachmentName;           // the name the recipient sees
    std::string attachmentType = "application/pdf";
};

struct SmtpResult {
    bool sent = false;
    std::string error;  // Italian reason of a failure, with the server's own words when any
};

// The addresses of a comma-separated list: blanks around each one dropped, empty items
// (a trailing comma, two commas in a row) skipped.
std::vector<std::string> SplitRecipients(std::string_view list);

// Why an address cannot be put in a command or a header line: empty, no "@", or a control
// character (a CR or LF would let it write commands or headers of its own). Empty when good.
std::string AddressProblem(std::string_view address);

// The subject as a header value: printable ASCII as it is, anything else as RFC 2047 encoded
// words of UTF-8, folded so that no line grows too long.
std::string EncodeHeaderText(std::string_view utf8);

// Connection limits: the connection itself, and the whole sending.
struct SmtpLimits {
    std::chrono::seconds connect{30};
    std::chrono::seconds total{120};
};

// Sends the message and waits for the outcome; nothing is sent when an address is refused or
// the attachment cannot be read. Runs on the calling thread: see SendMailInBackground.
SmtpResult SendMail(const SmtpAccount& account, const SmtpMessage& message,
                    const SmtpLimits& limits = {});

// Where test servers stand in for the provider. A test's server listens on a free port of
// 127.0.0.1 and plays one of the account's ports: `ports` maps the port that decides the
// protection to the port really connected to. `caFile` names the authority that signed the
// test server's certificate; when given, it is the one the client trusts. The program never
// sets it.
struct SmtpTestRoute {
    std::map<int, int> ports;
    std::string caFile;
};
// Installs a route (nullptr removes it); the route must outlive its use.
void SetSmtpTestRoute(const SmtpTestRoute* route);

}  // namespace braxol::net
