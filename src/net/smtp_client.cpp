#include "net/smtp_client.h"

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <random>
#include <sstream>

namespace braxol::net {
namespace {

constexpr int kImplicitTlsPort = 465;
constexpr int kPortChoices[] = {25, 465, 587};

std::atomic<const SmtpTestRoute*> gRoute{nullptr};

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimmedBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Control characters shown as "\xNN", so that a refused address can be named safely.
std::string Visible(std::string_view s) {
    std::string out;
    for (unsigned char c : s) {
        if (c < 0x20 || c == 0x7f) {
            static const char* hex = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Base64(std::string_view bytes) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                           static_cast<unsigned char>(bytes[i + 2]);
        for (int shift : {18, 12, 6, 0}) out += alphabet[(v >> shift) & 63];
    }
    if (i < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

// Line ends as the message needs them: CR LF.
std::string WithCrLf(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

// "Sat, 15 Mar 2025 10:00:00 +0100", in English whatever the locale.
std::string DateHeader(std::time_t now) {
    static const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    localtime_r(&now, &local);
    const long offset = local.tm_gmtoff / 60;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld",
                  days[local.tm_wday], local.tm_mday, months[local.tm_mon], local.tm_year + 1900,
                  local.tm_hour, local.tm_min, local.tm_sec, offset < 0 ? '-' : '+',
                  std::labs(offset) / 60, std::labs(offset) % 60);
    return buffer;
}

std::string MessageId(const std::string& from) {
    static std::mt19937_64 random{std::random_device{}()};
    static std::mutex mutex;
    std::uint64_t r;
    {
        std::lock_guard lock(mutex);
        r = random();
    }
    const auto at = from.rfind('@');
    const std::string domain = at == std::string::npos ? "braxol.local" : from.substr(at + 1);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    std::ostringstream id;
    id << '<' << ms << '.' << std::hex << r << '@' << domain << '>';
    return id.str();
}

// A host name that can stand in a URL and in the greeting: no blanks, controls or URL signs.
bool UsableHost(std::string_view host) {
    if (host.empty()) return false;
    for (unsigned char c : host)
        if (c <= ' ' || c == 0x7f || c == '/' || c == '?' || c == '#' || c == '@' || c == '\\')
            return false;
    return true;
}

struct CurlFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
    void operator()(curl_mime* m) const { curl_mime_free(m); }
};

// What the server said last when it refused something: its numbered 4xx or 5xx reply.
struct Transcript {
    std::string lastRefusal;
};

int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    if (type != CURLINFO_HEADER_IN) return 0;
    std::string line(data, size);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.size() >= 3 && (line[0] == '4' || line[0] == '5'))
        static_cast<Transcript*>(user)->lastRefusal = line;
    return 0;
}

std::string ReasonOf(CURLcode code, const std::string& detail) {
    switch (code) {
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT:
            return "indirizzo del server SMTP non valido";
        case CURLE_COULDNT_RESOLVE_HOST:
            return "server SMTP non trovato";
        case CURLE_COULDNT_CONNECT:
            return "connessione al server SMTP non riuscita";
        case CURLE_OPERATION_TIMEDOUT:
            return "il server SMTP non ha risposto in tempo";
        case CURLE_LOGIN_DENIED:
            return "autenticazione rifiutata dal server";
        case CURLE_PEER_FAILED_VERIFICATION:
            return "il certificato del server non è valido o non corrisponde al suo nome";
        case CURLE_SSL_CONNECT_ERROR:
            return "connessione protetta (TLS) non riuscita";
        case CURLE_USE_SSL_FAILED:
            return "il server non offre la connessione protetta (STARTTLS)";
        case CURLE_SSL_CACERT_BADFILE:
            return "certificati delle autorità di certificazione non leggibili";
        case CURLE_SEND_ERROR:
            if (detail.find("RCPT") != std::string::npos)
                return "destinatario rifiutato dal server";
            if (detail.find("MAIL") != std::string::npos) return "mittente rifiutato dal server";
            return "invio al server interrotto";
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING:
            return "connessione interrotta dal server";
        case CURLE_WEIRD_SERVER_REPLY:
            return "il server non ha accettato il messaggio";
        default:
            return "invio non riuscito";
    }
}

SmtpResult Failure(std::string reason) {
    return {false, std::move(reason)};
}

}  // namespace

int SmtpPortOfChoice(int choice) {
    if (choice < 0 || choice >= static_cast<int>(std::size(kPortChoices))) return kPortChoices[0];
    return kPortChoices[choice];
}

SmtpSecurity SecurityFor(int port, bool ssl) {
    if (!ssl) return SmtpSecurity::Plain;
    return port == kImplicitTlsPort ? SmtpSecurity::ImplicitTls : SmtpSecurity::StartTls;
}

std::vector<std::string> SplitRecipients(std::string_view list) {
    std::vector<std::string> out;
    while (true) {
        const auto comma = list.find(',');
        const std::string_view item = TrimmedBlanks(list.substr(0, comma));
        if (!item.empty()) out.emplace_back(item);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return out;
}

std::string AddressProblem(std::string_view address) {
    if (address.empty()) return "indirizzo vuoto";
    for (unsigned char c : address)
        if (c < 0x20 || c == 0x7f) return "indirizzo non valido: " + Visible(address);
    if (address.find('@') == std::string_view::npos)
        return "indirizzo non valido: " + std::string(address);
    return {};
}

std::string EncodeHeaderText(std::string_view utf8) {
    bool plain = true;
    for (unsigned char c : utf8)
        if (c < 0x20 || c >= 0x7f) plain = false;
    if (plain && utf8.size() <= 900) return std::string(utf8);
    // Encoded words of at most 45 bytes of text (60 of base64), never cutting a character.
    constexpr std::size_t kChunk = 45;
    std::string out;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = std::min(start + kChunk, utf8.size());
        while (end < utf8.size() && end > start &&
               (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        if (end == start) end = std::min(start + kChunk, utf8.size());
        if (!out.empty()) out += "\r\n ";
        out += "=?UTF-8?B?" + Base64(utf8.substr(start, end - start)) + "?=";
        start = end;
    }
    return out;
}

void SetSmtpTestRoute(const SmtpTestRoute* route) {
    gRoute.store(route);
}

SmtpResult SendMail(const SmtpAccount& account, const SmtpMessage& message,
                    const SmtpLimits& limits) {
    // Everything that can be refused is refused before a byte goes out.
    if (!UsableHost(account.host)) return Failure("nome del server SMTP non valido");
    if (const std::string problem = AddressProblem(message.from); !problem.empty())
        return Failure("mittente: " + problem);
    if (message.recipients.empty()) return Failure("nessun destinatario");
    for (const std::string& to : message.recipients)
        if (const std::string problem = AddressProblem(to); !problem.empty())
            return Failure("destinatario: " + problem);
    for (unsigned char c : account.user)
        if (c < 0x20) return Failure("nome utente non valido");
    std::string attachment;
    {
        std::ifstream in(message.attachmentPath, std::ios::binary);
        if (!in) return Failure("impossibile leggere l'allegato " + message.attachmentPath);
        attachment.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) return Failure("impossibile leggere l'allegato " + message.attachmentPath);
    }

    InitCurlOnce();
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    if (!curl) return Failure("libreria di rete non disponibile");
    CURL* c = curl.get();

    const SmtpTestRoute* route = gRoute.load();
    int port = account.port;
    if (route)
        if (auto it = route->ports.find(account.port); it != route->ports.end()) port = it->second;
    const SmtpSecurity security = SecurityFor(account.port, account.ssl);
    const std::string host =
        account.host.find(':') != std::string::npos ? "[" + account.host + "]" : account.host;
    // The path of the address is the name the client greets the server with.
    const std::string url =
        std::string(security == SmtpSecurity::ImplicitTls ? "smtps://" : "smtp://") + host + ":" +
        std::to_string(port) + "/" + account.host;
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(c, CURLOPT_USE_SSL,
                     security == SmtpSecurity::Plain ? CURLUSESSL_NONE : CURLUSESSL_ALL);
    curl_easy_setopt(c, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (route && !route->caFile.empty()) curl_easy_setopt(c, CURLOPT_CAINFO, route->caFile.c_str());
    if (!account.user.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, account.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, account.password.c_str());
        curl_easy_setopt(c, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN;AUTH=PLAIN");
    }
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, static_cast<long>(limits.total.count()));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);

    const std::string from = "<" + message.from + ">";
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.c_str());
    std::unique_ptr<curl_slist, CurlFree> recipients;
    std::string toHeader = "To: ";
    for (std::size_t i = 0; i < message.recipients.size(); ++i) {
        const std::string rcpt = "<" + message.recipients[i] + ">";
        recipients.reset(curl_slist_append(recipients.release(), rcpt.c_str()));
        toHeader += (i ? ", " : "") + message.recipients[i];
    }
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    // A recipient refused by the server fails the whole sending.
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT_ALLLOWFAILS, 0L);

    std::unique_ptr<curl_slist, CurlFree> headers;
    for (const std::string& h : {"Date: " + DateHeader(std::time(nullptr)), "From: " + message.from,
                                 toHeader, "Subject: " + EncodeHeaderText(message.subject),
                                 "Message-ID: " + MessageId(message.from)})
        headers.reset(curl_slist_append(headers.release(), h.c_str()));
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());

    std::unique_ptr<curl_mime, CurlFree> mime(curl_mime_init(c));
    const std::string body = WithCrLf(message.body);
    curl_mimepart* text = curl_mime_addpart(mime.get());
    curl_mime_data(text, body.data(), body.size());
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    curl_mimepart* file = curl_mime_addpart(mime.get());
    curl_mime_data(file, attachment.data(), attachment.size());
    curl_mime_type(file, message.attachmentType.c_str());
    curl_mime_filename(file, message.attachmentName.c_str());
    curl_mime_encoder(file, "base64");
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());

    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    Transcript transcript;
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, OnDebug);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &transcript);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);

    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_OK) return {true, {}};
    std::string detail = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
    if (!transcript.lastRefusal.empty()) detail += " - " + transcript.lastRefusal;
    return Failure(ReasonOf(code, detail) + " (" + detail + ")");
}

}  // namespace braxol::net
