#pragma once
// The customs file-transfer service as the program sees it: its path, its XML namespace and
// the six operations of its interface with their typed parameters. Only put and get are
// called; the others are declared so that the whole interface sits in one place.

#include <QString>
#include <span>
#include <string_view>

namespace braxol::net {

// The types a parameter or a result travels as (xsi:type of the encoded value).
enum class SoapType { String, Int, Base64Binary };

struct SoapParameter {
    std::string_view name;
    SoapType type;
};

struct SoapOperation {
    std::string_view name;                      // also the SOAPAction
    std::span<const SoapParameter> parameters;  // in the order they are sent
    SoapType result;
};

// Path of the service on both environments' hosts.
inline constexpr std::string_view kCustomsServicePath =
    "/TelematicoFtpEjbHttpRouter/TelematicoFtpWsBindingImplService";
// Namespace of the operation elements (RPC style).
inline constexpr std::string_view kCustomsServiceNamespace = "urn:TelematicoFtpWsBindingImpl";

// ls(pattern), dir(pattern), getlog(), get(fileName), put(fileMsg_Content, fileMsg_Nome),
// mget(mGetInput_Nome, mGetInput_Prog).
std::span<const SoapOperation> CustomsOperations();
// The operation of that name; nullptr when the interface has none.
const SoapOperation* FindCustomsOperation(std::string_view name);

const SoapOperation& PutOperation();
const SoapOperation& GetOperation();

// "xsd:string", "xsd:int", "xsd:base64Binary".
QString XsdTypeName(SoapType type);

}  // namespace braxol::net
