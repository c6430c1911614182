#include "net/soap_envelope.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <map>
#include <optional>

namespace braxol::net {
namespace {

QString Ns(std::string_view ns) {
    return QString::fromLatin1(ns.data(), static_cast<qsizetype>(ns.size()));
}

QString ValueText(const SoapArgument& argument) {
    if (const auto* text = std::get_if<QString>(&argument)) return *text;
    if (const auto* number = std::get_if<int>(&argument)) return QString::number(*number);
    return QString::fromLatin1(std::get<QByteArray>(argument).toBase64());
}

bool Is(const QXmlStreamReader& xml, std::string_view ns, const char* name) {
    return xml.namespaceUri() == Ns(ns) && xml.name() == QLatin1String(name);
}

SoapReply NotSoap(const QString& problem) {
    SoapReply reply;
    reply.kind = SoapReply::Kind::NotSoap;
    reply.problem = problem;
    return reply;
}

// The part of the response element: its text, or the reference to a multiRef element.
struct ReturnPart {
    QString text;
    QString href;
};

SoapReply ReadFault(QXmlStreamReader& xml) {
    SoapReply reply;
    reply.kind = SoapReply::Kind::Fault;
    while (xml.readNextStartElement()) {
        // The fault's children are unqualified; some servers qualify them all the same.
        if (xml.name() == QLatin1String("faultcode"))
            reply.faultCode = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        else if (xml.name() == QLatin1String("faultstring"))
            reply.faultString =
                xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        else
            xml.skipCurrentElement();
    }
    return reply;
}

std::optional<ReturnPart> ReadResponse(QXmlStreamReader& xml) {
    std::optional<ReturnPart> part;
    while (xml.readNextStartElement()) {
        if (part) {
            xml.skipCurrentElement();
            continue;
        }
        part.emplace();
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString href = attributes.value(QLatin1String("href")).toString();
        if (href.startsWith('#')) part->href = href.mid(1);
        part->text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    return part;
}

}  // namespace

QByteArray BuildSoapRequest(const SoapOperation& operation, std::span<const SoapArgument> arguments,
                            std::string_view serviceNamespace) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeNamespace(Ns(kSoapEnvelopeNs), "SOAP-ENV");
    w.writeNamespace(Ns(kXsdNs), "xsd");
    w.writeNamespace(Ns(kXsiNs), "xsi");
    w.writeNamespace(Ns(kSoapEncodingNs), "SOAP-ENC");
    w.writeStartElement(Ns(kSoapEnvelopeNs), "Envelope");
    w.writeStartElement(Ns(kSoapEnvelopeNs), "Body");
    w.writeNamespace(Ns(serviceNamespace), "NS1");
    w.writeStartElement(Ns(serviceNamespace), Ns(operation.name));
    w.writeAttribute(Ns(kSoapEnvelopeNs), "encodingStyle", Ns(kSoapEncodingNs));
    for (std::size_t i = 0; i < operation.parameters.size(); ++i) {
        const SoapParameter& parameter = operation.parameters[i];
        // RPC accessors are unqualified and carry their type.
        w.writeStartElement(Ns(parameter.name));
        w.writeAttribute(Ns(kXsiNs), "type", XsdTypeName(parameter.type));
        if (i < arguments.size()) w.writeCharacters(ValueText(arguments[i]));
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

SoapReply ParseSoapReply(const QByteArray& data, const SoapOperation& operation) {
    QXmlStreamReader xml(data);
    if (!xml.readNextStartElement()) return NotSoap(QStringLiteral("risposta vuota o non XML"));
    if (!Is(xml, kSoapEnvelopeNs, "Envelope"))
        return NotSoap(QStringLiteral("la risposta non è una busta SOAP 1.1"));

    std::optional<SoapReply> fault;
    std::optional<ReturnPart> result;
    bool body = false;
    std::map<QString, QString> byId;  // multiRef elements of the body
    while (xml.readNextStartElement()) {
        if (!Is(xml, kSoapEnvelopeNs, "Body")) {
            xml.skipCurrentElement();  // the header: nothing in it concerns this client
            continue;
        }
        body = true;
        bool first = true;
        while (xml.readNextStartElement()) {
            if (first && Is(xml, kSoapEnvelopeNs, "Fault")) {
                fault = ReadFault(xml);
            } else if (first) {
                result = ReadResponse(xml);
                if (!result) result.emplace();  // a response without a part: empty result
            } else {
                const QString id = xml.attributes().value(QLatin1String("id")).toString();
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (!id.isEmpty()) byId[id] = text;
            }
            first = false;
        }
    }
    while (!xml.atEnd()) xml.readNext();
    if (xml.hasError()) return NotSoap(QStringLiteral("XML non valido: %1").arg(xml.errorString()));
    if (!body) return NotSoap(QStringLiteral("busta SOAP senza corpo"));
    if (fault) return *fault;
    if (!result) return NotSoap(QStringLiteral("corpo SOAP vuoto"));

    QString text = result->text;
    if (!result->href.isEmpty()) {
        const auto found = byId.find(result->href);
        if (found == byId.end())
            return NotSoap(QStringLiteral("riferimento %1 mancante").arg(result->href));
        text = found->second;
    }
    SoapReply reply;
    reply.kind = SoapReply::Kind::Result;
    if (operation.result == SoapType::Base64Binary) {
        QByteArray compact = text.toLatin1();
        compact.replace(' ', "").replace('\n', "").replace('\r', "").replace('\t', "");
        auto decoded =
            QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) return NotSoap(QStringLiteral("dati base64 non validi"));
        reply.bytes = *decoded;
        reply.text = QString::fromLatin1(reply.bytes);
    } else {
        reply.text = text;
        reply.bytes = text.toUtf8();
    }
    return reply;
}

}  // namespace braxol::net
