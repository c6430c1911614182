#pragma once
// The training service's side of SOAP 1.1, RPC style with encoded parameters: it reads a
// request as a strict server would (the SOAP 1.1 envelope, the service's namespace, every
// parameter typed), and writes result envelopes, faults, and replies with an attachment as
// multipart/related MIME or DIME.

#include <map>
#include <string>
#include <string_view>

namespace braxol::sim {

inline constexpr std::string_view kServicePath =
    "/TelematicoFtpEjbHttpRouter/TelematicoFtpWsBindingImplService";
inline constexpr std::string_view kServiceNamespace = "urn:TelematicoFtpWsBindingImpl";

struct SoapCall {
    bool ok = false;
    std::string problem;  // Italian, for the fault when not ok
    std::string operation;
    std::map<std::string, std::string> text;   // string parameters
    std::map<std::string, std::string> bytes;  // base64 parameters, decoded
};

// Reads the request of put(fileMsg_Content base64, fileMsg_Nome string) or get(fileName
// string); any other operation, an untyped or mistyped parameter, or a wrong namespace is
// not ok.
SoapCall ReadSoapCall(std::string_view body);

std::string ResultEnvelope(std::string_view operation, std::string_view text);
std::string FaultEnvelope(std::string_view code, std::string_view text);

struct HttpBody {
    std::string contentType;
    std::string body;
};

HttpBody MimeWithAttachment(const std::string& envelope, const std::string& attachment);
HttpBody DimeWithAttachment(const std::string& envelope, const std::string& attachment);

}  // namespace braxol::sim
