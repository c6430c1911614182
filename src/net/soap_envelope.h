#pragma once
// SOAP 1.1 messages, RPC style with encoded parameters: the request envelope of an operation
// and the reading of the reply envelope (a result or a fault). Replies are read with Qt's
// XML reader, namespaces honoured: an element counts by its namespace, not by its prefix.

#include <QByteArray>
#include <QString>
#include <span>
#include <string_view>
#include <variant>

#include "net/soap_operations.h"

namespace braxol::net {

inline constexpr std::string_view kSoapEnvelopeNs = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr std::string_view kSoapEncodingNs = "http://schemas.xmlsoap.org/soap/encoding/";
inline constexpr std::string_view kXsdNs = "http://www.w3.org/2001/XMLSchema";
inline constexpr std::string_view kXsiNs = "http://www.w3.org/2001/XMLSchema-instance";

// A parameter value: text for xsd:string, a number for xsd:int, bytes for xsd:base64Binary.
using SoapArgument = std::variant<QString, int, QByteArray>;

// The UTF-8 request envelope; one argument per parameter of the operation, in order.
QByteArray BuildSoapRequest(const SoapOperation& operation, std::span<const SoapArgument> arguments,
                            std::string_view serviceNamespace = kCustomsServiceNamespace);

struct SoapReply {
    enum class Kind { Result, Fault, NotSoap };
    Kind kind = Kind::NotSoap;
    QString text;       // the result as text (for a base64 result: the decoded bytes as Latin-1)
    QByteArray bytes;   // the result as bytes (UTF-8 of the text, or the decoded base64)
    QString faultCode;  // of a fault
    QString faultString;
    QString problem;  // why the reply is not a SOAP 1.1 envelope
};

// Reads the reply to `operation`. Anything that is not a well-formed SOAP 1.1 envelope with
// a body (an HTML page, a truncated reply, a SOAP 1.2 envelope) is NotSoap.
SoapReply ParseSoapReply(const QByteArray& xml, const SoapOperation& operation);

}  // namespace braxol::net
