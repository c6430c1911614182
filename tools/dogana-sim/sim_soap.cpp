#include "sim_soap.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <vector>

namespace braxol::sim {
namespace {

const QString kEnvelopeNs = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
const QString kEncodingNs = QStringLiteral("http://schemas.xmlsoap.org/soap/encoding/");
const QString kXsdNs = QStringLiteral("http://www.w3.org/2001/XMLSchema");
const QString kXsiNs = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

struct Expected {
    const char* name;
    bool base64;
};

// The parameters each operation must carry, in order.
std::vector<Expected> ParametersOf(const QString& operation) {
    if (operation == "put") return {{"fileMsg_Content", true}, {"fileMsg_Nome", false}};
    if (operation == "get") return {{"fileName", false}};
    return {};
}

SoapCall Refused(const std::string& problem) {
    SoapCall call;
    call.problem = problem;
    return call;
}

// The namespaces in scope at each open element, to resolve the prefix of an xsi:type.
class Scopes {
public:
    void open(const QXmlStreamNamespaceDeclarations& declarations) {
        stack_.push_back(stack_.empty() ? std::map<QString, QString>{} : stack_.back());
        for (const auto& d : declarations)
            stack_.back()[d.prefix().toString()] = d.namespaceUri().toString();
    }
    void close() {
        if (!stack_.empty()) stack_.pop_back();
    }
    QString uri(const QString& prefix) const {
        if (stack_.empty()) return {};
        const auto found = stack_.back().find(prefix);
        return found == stack_.back().end() ? QString() : found->second;
    }

private:
    std::vector<std::map<QString, QString>> stack_;
};

}  // namespace

SoapCall ReadSoapCall(std::string_view body) {
    QXmlStreamReader xml(QByteArray(body.data(), static_cast<qsizetype>(body.size())));
    Scopes scopes;
    int depth = 0;
    bool envelope = false, inBody = false, encoded = false;
    SoapCall call;
    std::vector<Expected> expected;
    std::size_t next = 0;
    QString operationNs;

    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            scopes.close();
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        scopes.open(xml.namespaceDeclarations());
        ++depth;
        const QString ns = xml.namespaceUri().toString();
        const QString name = xml.name().toString();
        if (depth == 1) {
            if (ns != kEnvelopeNs || name != "Envelope")
                return Refused("la richiesta non è una busta SOAP 1.1");
            envelope = true;
            if (xml.attributes().value(kEnvelopeNs, "encodingStyle") == kEncodingNs) encoded = true;
        } else if (depth == 2) {
            inBody = ns == kEnvelopeNs && name == "Body";
            if (inBody && xml.attributes().value(kEnvelopeNs, "encodingStyle") == kEncodingNs)
                encoded = true;
        } else if (depth == 3 && inBody) {
            if (!call.operation.empty()) return Refused("il corpo contiene più di un'operazione");
            if (ns != Q(kServiceNamespace))
                return Refused("operazione nel namespace sconosciuto \"" + ns.toStdString() + "\"");
            call.operation = name.toStdString();
            operationNs = ns;
            expected = ParametersOf(name);
            if (expected.empty())
                return Refused("operazione \"" + call.operation + "\" non offerta");
            if (xml.attributes().value(kEnvelopeNs, "encodingStyle") == kEncodingNs) encoded = true;
            if (!encoded) return Refused("encodingStyle SOAP 1.1 mancante");
        } else if (depth == 4 && inBody) {
            if (!ns.isEmpty())
                return Refused("parametro \"" + name.toStdString() + "\" qualificato");
            if (next >= expected.size() || name != expected[next].name)
                return Refused("parametro \"" + name.toStdString() + "\" inatteso");
            const QString type = xml.attributes().value(kXsiNs, "type").toString();
            const qsizetype colon = type.indexOf(':');
            const QString typeNs = scopes.uri(colon < 0 ? QString() : type.left(colon));
            const QString local = type.mid(colon + 1);
            const bool base64 = (typeNs == kXsdNs && local == "base64Binary") ||
                                (typeNs == kEncodingNs && local == "base64");
            const bool string = typeNs == kXsdNs && local == "string";
            if (expected[next].base64 ? !base64 : !string)
                return Refused("parametro \"" + name.toStdString() + "\" senza il tipo atteso");
            const QString text = xml.readElementText();
            scopes.close();
            --depth;
            if (xml.hasError()) break;
            if (expected[next].base64) {
                auto decoded = QByteArray::fromBase64Encoding(
                    text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
                if (!decoded) return Refused("dati base64 non validi");
                call.bytes[expected[next].name] = decoded.decoded.toStdString();
            } else {
                call.text[expected[next].name] = text.toStdString();
            }
            ++next;
        }
    }
    if (xml.hasError()) return Refused("XML non valido: " + xml.errorString().toStdString());
    if (!envelope || call.operation.empty()) return Refused("nessuna operazione nella richiesta");
    if (next != expected.size()) return Refused("parametri mancanti");
    call.ok = true;
    return call;
}

std::string ResultEnvelope(std::string_view operation, std::string_view text) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(kEnvelopeNs, "soapenv");
    w.writeNamespace(kXsdNs, "xsd");
    w.writeNamespace(kXsiNs, "xsi");
    w.writeStartElement(kEnvelopeNs, "Envelope");
    w.writeStartElement(kEnvelopeNs, "Body");
    w.writeNamespace(Q(kServiceNamespace), "ns1");
    w.writeStartElement(Q(kServiceNamespace), Q(operation) + "Response");
    w.writeAttribute(kEnvelopeNs, "encodingStyle", kEncodingNs);
    w.writeStartElement("return");
    w.writeAttribute(kXsiNs, "type", "xsd:string");
    w.writeCharacters(Q(text));
    w.writeEndDocument();
    return out.toStdString();
}

std::string FaultEnvelope(std::string_view code, std::string_view text) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(kEnvelopeNs, "soapenv");
    w.writeStartElement(kEnvelopeNs, "Envelope");
    w.writeStartElement(kEnvelopeNs, "Body");
    w.writeStartElement(kEnvelopeNs, "Fault");
    w.writeTextElement("faultcode", "soapenv:" + Q(code));
    w.writeTextElement("faultstring", Q(text));
    w.writeEndDocument();
    return out.toStdString();
}

HttpBody MimeWithAttachment(const std::string& envelope, const std::string& attachment) {
    const std::string boundary = "----=_Parte_BRAXOL_simulatore_0";
    std::string body;
    body += "--" + boundary + "\r\n";
    body += "Content-Type: text/xml; charset=UTF-8\r\n";
    body += "Content-Transfer-Encoding: binary\r\n";
    body += "Content-Id: <busta-soap>\r\n\r\n";
    body += envelope + "\r\n";
    body += "--" + boundary + "\r\n";
    body += "Content-Type: application/octet-stream\r\n";
    body += "Content-Transfer-Encoding: binary\r\n";
    body += "Content-Id: <esito>\r\n\r\n";
    body += attachment + "\r\n";
    body += "--" + boundary + "--\r\n";
    return {"multipart/related; type=\"text/xml\"; start=\"<busta-soap>\"; boundary=\"" + boundary +
                "\"",
            body};
}

HttpBody DimeWithAttachment(const std::string& envelope, const std::string& attachment) {
    auto record = [](bool first, bool last, std::uint8_t typeFormat, const std::string& type,
                     const std::string& id, const std::string& data) {
        std::string r;
        r += static_cast<char>((1 << 3) | (first ? 0x04 : 0) | (last ? 0x02 : 0));
        r += static_cast<char>(typeFormat << 4);
        auto be = [&r](std::uint32_t value, int bytes) {
            for (int i = bytes - 1; i >= 0; --i) r += static_cast<char>((value >> (8 * i)) & 0xFF);
        };
        be(0, 2);
        be(static_cast<std::uint32_t>(id.size()), 2);
        be(static_cast<std::uint32_t>(type.size()), 2);
        be(static_cast<std::uint32_t>(data.size()), 4);
        auto padded = [&r](const std::string& s) {
            r += s;
            r.append((4 - s.size() % 4) % 4, '\0');
        };
        padded(id);
        padded(type);
        padded(data);
        return r;
    };
    constexpr std::uint8_t kUri = 2, kMedia = 1;
    return {"application/dime",
            record(true, false, kUri, "http://schemas.xmlsoap.org/soap/envelope/", "", envelope) +
                record(false, true, kMedia, "application/octet-stream", "esito", attachment)};
}

}  // namespace braxol::sim
