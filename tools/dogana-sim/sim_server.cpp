#include "sim_server.h"

#include <httplib.h>

#include <QByteArray>
#include <chrono>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "sim_cms.h"
#include "sim_flow_check.h"
#include "sim_outcome.h"
#include "sim_soap.h"
#include "store/safe_file.h"

namespace braxol::sim {
namespace {

constexpr std::size_t kSignedSuffix = 4;  // ".p7m"
constexpr std::size_t kFlowNameLength = 12;

const char* kErrorPage =
    "<html><head><title>500 Internal Server Error</title></head>"
    "<body><h1>Errore interno del server</h1></body></html>";
const char* kPortalPage =
    "<!DOCTYPE html><html><head><title>Accesso alla rete</title></head>"
    "<body><p>Per navigare accetta le condizioni d'uso.</p></body></html>";

bool ValidFlowName(std::string_view name) {
    // CODUTE + MMDD + ".C" + two digits.
    if (name.size() != kFlowNameLength || name[8] != '.' || name[9] != 'C') return false;
    for (std::size_t i : {4u, 5u, 6u, 7u, 10u, 11u})
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

std::string Unquoted(std::string value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

int CurrentYear() {
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

}  // namespace

std::optional<Fault> FaultFromName(std::string_view name) {
    if (name == "rifiuta") return Fault::Refuse;
    if (name == "http500") return Fault::Http500;
    if (name == "fault") return Fault::SoapFault;
    if (name == "interrompi") return Fault::Drop;
    if (name == "senza-allegato") return Fault::NoAttachment;
    if (name == "non-soap") return Fault::NotSoap;
    if (name == "scarta") return Fault::Discard;
    if (name == "nessuno") return Fault::None;
    return std::nullopt;
}

DoganaSimulator::DoganaSimulator(SimOptions options) : options_(std::move(options)) {}

DoganaSimulator::~DoganaSimulator() {
    stop();
}

std::string DoganaSimulator::address() const {
    return "https://127.0.0.1:" + std::to_string(port_) + std::string(kServicePath);
}

void DoganaSimulator::start() {
    certificates_ = EnsureCertificates(options_.folder / "certificati");
    std::filesystem::create_directories(options_.folder / "esiti");
    server_ = std::make_unique<httplib::SSLServer>(certificates_.serverCert.c_str(),
                                                   certificates_.serverKey.c_str());
    if (!server_->is_valid()) throw std::runtime_error("certificato del server non utilizzabile");
    server_->Post(std::string(kServicePath),
                  [this](const httplib::Request& request, httplib::Response& response) {
                      handle(request, response);
                  });
    port_ = options_.port > 0
                ? (server_->bind_to_port("127.0.0.1", options_.port) ? options_.port : -1)
                : server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("porta non disponibile su 127.0.0.1");
    {
        std::lock_guard lock(mutex_);
        stopped_ = false;
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!server_->is_running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            stop();
            throw std::runtime_error("il server non è partito");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void DoganaSimulator::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    stopping_.notify_all();
    if (server_) server_->stop();
    if (thread_.joinable()) thread_.join();
    server_.reset();
}

void DoganaSimulator::setFault(Fault fault) {
    std::lock_guard lock(mutex_);
    options_.fault = fault;
}

void DoganaSimulator::setDelay(int milliseconds) {
    std::lock_guard lock(mutex_);
    options_.delayMs = milliseconds;
}

int DoganaSimulator::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::optional<SeenRequest> DoganaSimulator::lastRequest() const {
    std::lock_guard lock(mutex_);
    return last_;
}

bool DoganaSimulator::waitOrStop(int milliseconds) {
    std::unique_lock lock(mutex_);
    return !stopping_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                               [this] { return stopped_; });
}

void DoganaSimulator::handle(const httplib::Request& request, httplib::Response& response) {
    Fault fault;
    int delay;
    {
        std::lock_guard lock(mutex_);
        ++requests_;
        SeenRequest seen{request.get_header_value("SOAPAction"),
                         request.get_header_value("Content-Type"), std::nullopt, request.body};
        if (request.has_header("Authorization"))
            seen.authorization = request.get_header_value("Authorization");
        last_ = seen;
        fault = options_.fault;
        delay = options_.delayMs;
    }
    if (delay > 0 && !waitOrStop(delay)) return;

    if (!options_.user.empty()) {
        const std::string expected =
            "Basic " + QByteArray::fromStdString(options_.user + ":" + options_.password)
                           .toBase64()
                           .toStdString();
        if (request.get_header_value("Authorization") != expected) {
            response.status = 401;
            response.set_header("WWW-Authenticate", "Basic realm=\"TelematicoFtp\"");
            response.set_content("Autenticazione richiesta", "text/plain");
            return;
        }
    }
    switch (fault) {
        case Fault::Http500:
            response.status = 500;
            response.set_content(kErrorPage, "text/html");
            return;
        case Fault::NotSoap:
            response.set_content(kPortalPage, "text/html");
            return;
        case Fault::SoapFault:
            response.status = 500;
            response.set_content(
                FaultEnvelope("Server", "Servizio temporaneamente non disponibile"),
                "text/xml; charset=utf-8");
            return;
        case Fault::Drop:
            // The status line and headers go out, then the connection closes.
            response.set_content_provider(
                1000, "text/xml",
                [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
            return;
        default:
            break;
    }

    const SoapCall call = ReadSoapCall(request.body);
    const std::string action = Unquoted(request.get_header_value("SOAPAction"));
    if (!call.ok || action != call.operation) {
        response.status = 500;
        response.set_content(
            FaultEnvelope("Client", call.ok ? "SOAPAction diversa dall'operazione" : call.problem),
            "text/xml; charset=utf-8");
        return;
    }
    if (call.operation == "put")
        answerPut(call, response);
    else
        answerGet(call, response);
}

void DoganaSimulator::answerPut(const SoapCall& call, httplib::Response& response) {
    const std::string name = call.text.at("fileMsg_Nome");
    const std::string& content = call.bytes.at("fileMsg_Content");
    auto refuse = [&](const std::string& why) {
        response.set_content(ResultEnvelope("put", "RIFIUTATO: il file " + name +
                                                       " non è stato acquisito (" + why + ")"),
                             "text/xml; charset=utf-8");
    };
    Fault fault;
    {
        std::lock_guard lock(mutex_);
        fault = options_.fault;
    }
    if (fault == Fault::Refuse) return refuse("invio rifiutato dal simulatore");
    const std::string flowName = name.size() == kFlowNameLength + kSignedSuffix &&
                                         StoredOutcomeName(name).size() == kFlowNameLength
                                     ? name.substr(0, kFlowNameLength)
                                     : std::string();
    if (!ValidFlowName(flowName)) return refuse("nome del file non valido");
    const SignedFlow signedFlow = OpenSignedFlow(content);
    if (!signedFlow.ok) return refuse(signedFlow.error);

    FlowCheck check = CheckFlow(signedFlow.content, flowName);
    if (fault == Fault::Discard) {
        check.rejected = true;
        check.findings.push_back({'E', 1, "flusso scartato su richiesta del simulatore"});
    }
    std::string document;
    if (check.requestFlow) {
        std::vector<std::string> protocols;
        for (const RequestLine& r : check.requests)
            protocols.push_back(!check.rejected && r.accepted && r.kind == 'R' ? nextProtocol()
                                                                               : std::string());
        document = BuildRequestOutcomeDocument(flowName, check, nextRegistration(), protocols);
    } else {
        document = BuildOutcomeDocument(flowName, check, nextRegistration());
    }
    ReplaceFileContent(options_.folder / "esiti" / OutcomeNameOf(flowName), document);
    response.set_content(ResultEnvelope("put", "File " + name + " acquisito con successo"),
                         "text/xml; charset=utf-8");
}

void DoganaSimulator::answerGet(const SoapCall& call, httplib::Response& response) {
    const std::string name = StoredOutcomeName(call.text.at("fileName"));
    Fault fault;
    bool dime;
    {
        std::lock_guard lock(mutex_);
        fault = options_.fault;
        dime = options_.dime;
    }
    std::optional<std::string> document;
    if (name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
        name != "." && name != "..")
        document = ReadWholeFile(options_.folder / "esiti" / name);
    if (!document || fault == Fault::NoAttachment) {
        response.set_content(ResultEnvelope("get", "Esito " + name + " non disponibile"),
                             "text/xml; charset=utf-8");
        return;
    }
    const std::string envelope = ResultEnvelope("get", "Esito " + name + " allegato");
    const HttpBody body =
        dime ? DimeWithAttachment(envelope, *document) : MimeWithAttachment(envelope, *document);
    response.set_content(body.body, body.contentType.c_str());
}

long long DoganaSimulator::nextNumber(const char* counterFile) {
    const std::filesystem::path counter = options_.folder / counterFile;
    long long number = 0;
    if (auto text = ReadWholeFile(counter)) {
        try {
            number = std::stoll(*text);
        } catch (const std::exception&) {
            number = 0;
        }
    }
    ++number;
    ReplaceFileContent(counter, std::to_string(number) + "\n");
    return number;
}

std::string DoganaSimulator::nextRegistration() {
    std::lock_guard lock(mutex_);
    const long long number = nextNumber("progressivo.txt");
    std::ostringstream out;
    out << std::setw(4) << std::setfill('0') << CurrentYear() << std::setw(11) << std::setfill('0')
        << (number % 100000000000LL);
    return out.str();
}

std::string DoganaSimulator::nextProtocol() {
    std::lock_guard lock(mutex_);
    const long long number = nextNumber("protocolli.txt");
    std::ostringstream out;
    out << std::setw(4) << std::setfill('0') << CurrentYear() << std::setw(6) << std::setfill('0')
        << (number % 1000000LL);
    return out.str();
}

}  // namespace braxol::sim
