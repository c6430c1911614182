#include "net/soap_operations.h"

#include <array>

namespace braxol::net {
namespace {

constexpr std::array kPattern{SoapParameter{"pattern", SoapType::String}};
constexpr std::array kGet{SoapParameter{"fileName", SoapType::String}};
constexpr std::array kPut{SoapParameter{"fileMsg_Content", SoapType::Base64Binary},
                          SoapParameter{"fileMsg_Nome", SoapType::String}};
constexpr std::array kMget{SoapParameter{"mGetInput_Nome", SoapType::String},
                           SoapParameter{"mGetInput_Prog", SoapType::Int}};

constexpr std::array kOperations{
    SoapOperation{"ls", kPattern, SoapType::String},
    SoapOperation{"dir", kPattern, SoapType::String},
    SoapOperation{"getlog", {}, SoapType::Base64Binary},
    SoapOperation{"get", kGet, SoapType::String},
    SoapOperation{"put", kPut, SoapType::String},
    SoapOperation{"mget", kMget, SoapType::Base64Binary},
};

}  // namespace

std::span<const SoapOperation> CustomsOperations() {
    return kOperations;
}

const SoapOperation* FindCustomsOperation(std::string_view name) {
    for (const SoapOperation& op : kOperations)
        if (op.name == name) return &op;
    return nullptr;
}

const SoapOperation& PutOperation() {
    return *FindCustomsOperation("put");
}

const SoapOperation& GetOperation() {
    return *FindCustomsOperation("get");
}

QString XsdTypeName(SoapType type) {
    switch (type) {
        case SoapType::String:
            return QStringLiteral("xsd:string");
        case SoapType::Int:
            return QStringLiteral("xsd:int");
        case SoapType::Base64Binary:
            return QStringLiteral("xsd:base64Binary");
    }
    return QStringLiteral("xsd:string");
}

}  // namespace braxol::net
