#pragma once
// The training customs service: an HTTPS server on 127.0.0.1 that answers put and get on the
// service's path. put takes a signed flow, checks it and keeps its outcome document in the
// simulator's folder; get returns that document as the reply's first attachment. A flow of
// register requests releases a register, with a protocol of its own, for every release request
// it accepts. Faults can be asked for, so that every failure path of the program can be tried.

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "sim_certificates.h"

namespace httplib {
class Request;
class Response;
class SSLServer;
}  // namespace httplib

namespace braxol::sim {

struct SoapCall;

enum class Fault {
    None,
    Refuse,        // put answers without "successo"
    Http500,       // an HTTP 500 with an HTML page
    SoapFault,     // a SOAP fault
    Drop,          // the connection closes before the reply's body
    NoAttachment,  // get answers without the document
    NotSoap,       // an HTML page with status 200, as a captive portal sends
    Discard,       // put takes the file, and its outcome says it is discarded
};

struct SimOptions {
    std::filesystem::path folder;  // certificates, outcome documents, counters
    int port = 0;                  // 0: any free port
    std::string user;              // when set, requests need basic authentication
    std::string password;
    Fault fault = Fault::None;
    int delayMs = 0;    // every answer waits this long
    bool dime = false;  // attachments as DIME instead of MIME
};

// What the last request carried, for tests and for the console.
struct SeenRequest {
    std::string soapAction;
    std::string contentType;
    std::optional<std::string> authorization;
    std::string body;
};

class DoganaSimulator {
public:
    explicit DoganaSimulator(SimOptions options);
    ~DoganaSimulator();
    DoganaSimulator(const DoganaSimulator&) = delete;
    DoganaSimulator& operator=(const DoganaSimulator&) = delete;

    // Makes the certificates when missing, binds 127.0.0.1 and serves on a thread of its own.
    // Throws std::runtime_error.
    void start();
    void stop();
    int port() const { return port_; }
    const SimCertificates& certificates() const { return certificates_; }
    std::string address() const;  // https://127.0.0.1:<port><path>

    void setFault(Fault fault);
    void setDelay(int milliseconds);
    int requests() const;
    std::optional<SeenRequest> lastRequest() const;

private:
    void handle(const httplib::Request& request, httplib::Response& response);
    void answerPut(const SoapCall& call, httplib::Response& response);
    void answerGet(const SoapCall& call, httplib::Response& response);
    std::string nextRegistration();
    // The protocol of the next register released: the year and a progressive on 6 digits.
    std::string nextProtocol();
    long long nextNumber(const char* counterFile);
    bool waitOrStop(int milliseconds);

    SimOptions options_;
    SimCertificates certificates_;
    std::unique_ptr<httplib::SSLServer> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable stopping_;
    bool stopped_ = false;
    int requests_ = 0;
    std::optional<SeenRequest> last_;
};

// Reads "rifiuta", "http500", "fault", "interrompi", "senza-allegato", "non-soap", "scarta".
std::optional<Fault> FaultFromName(std::string_view name);

}  // namespace braxol::sim
