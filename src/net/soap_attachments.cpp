#include "net/soap_attachments.h"

#include <QMap>
#include <optional>
#include <string_view>

#include "store/safe_file.h"

namespace braxol::net {
namespace {

ReplyParts Failed(const QString& problem) {
    ReplyParts parts;
    parts.problem = problem;
    return parts;
}

// "multipart/related; type="text/xml"; boundary="b"": the media type in lower case and the
// parameters by their lower-case names, quotes removed.
struct MediaType {
    QByteArray type;
    QMap<QByteArray, QByteArray> parameters;
};

MediaType ParseMediaType(const QByteArray& value) {
    MediaType media;
    qsizetype i = value.indexOf(';');
    media.type = value.left(i < 0 ? value.size() : i).trimmed().toLower();
    while (i >= 0 && i < value.size()) {
        ++i;  // past ';'
        const qsizetype equals = value.indexOf('=', i);
        if (equals < 0) break;
        const QByteArray name = value.mid(i, equals - i).trimmed().toLower();
        qsizetype j = equals + 1;
        while (j < value.size() && (value[j] == ' ' || value[j] == '\t')) ++j;
        QByteArray parameter;
        if (j < value.size() && value[j] == '"') {
            ++j;
            while (j < value.size() && value[j] != '"') {
                if (value[j] == '\\' && j + 1 < value.size()) ++j;
                parameter += value[j++];
            }
            i = value.indexOf(';', j);
        } else {
            const qsizetype end = value.indexOf(';', j);
            parameter = value.mid(j, end < 0 ? -1 : end - j).trimmed();
            i = end;
        }
        media.parameters.insert(name, parameter);
    }
    return media;
}

QByteArray DecodeQuotedPrintable(const QByteArray& in) {
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != '=') {
            out += in[i];
            continue;
        }
        if (i + 1 < in.size() && in[i + 1] == '\n') {  // soft line break
            i += 1;
        } else if (i + 2 < in.size() && in[i + 1] == '\r' && in[i + 2] == '\n') {
            i += 2;
        } else if (i + 2 < in.size()) {
            bool ok = false;
            const int byte = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += static_cast<char>(byte);
                i += 2;
            } else {
                out += '=';
            }
        } else {
            out += '=';
        }
    }
    return out;
}

struct MimePart {
    QMap<QByteArray, QByteArray> headers;  // lower-case names
    QByteArray content;
};

MimePart ParsePart(const QByteArray& raw) {
    MimePart part;
    qsizetype headerEnd = -1, bodyStart = 0;
    if (raw.startsWith("\r\n")) {
        bodyStart = 2;
    } else if (raw.startsWith('\n')) {
        bodyStart = 1;
    } else {
        const qsizetype crlf = raw.indexOf("\r\n\r\n");
        const qsizetype lf = raw.indexOf("\n\n");
        if (crlf >= 0 && (lf < 0 || crlf < lf)) {
            headerEnd = crlf;
            bodyStart = crlf + 4;
        } else if (lf >= 0) {
            headerEnd = lf;
            bodyStart = lf + 2;
        } else {
            headerEnd = raw.size();
            bodyStart = raw.size();
        }
    }
    QByteArray name;
    for (QByteArray line : raw.left(headerEnd < 0 ? 0 : headerEnd).split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if ((line.startsWith(' ') || line.startsWith('\t')) && !name.isEmpty()) {
            part.headers[name] += ' ' + line.trimmed();  // folded header
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) continue;
        name = line.left(colon).trimmed().toLower();
        part.headers[name] = line.mid(colon + 1).trimmed();
    }
    const QByteArray encoding = part.headers.value("content-transfer-encoding").toLower();
    const QByteArray body = raw.mid(bodyStart);
    if (encoding == "base64")
        part.content = QByteArray::fromBase64(body);
    else if (encoding == "quoted-printable")
        part.content = DecodeQuotedPrintable(body);
    else
        part.content = body;
    return part;
}

QByteArray StripAngles(QByteArray id) {
    id = id.trimmed();
    if (id.startsWith('<') && id.endsWith('>')) id = id.mid(1, id.size() - 2);
    return id;
}

quint32 BigEndian(const QByteArray& data, qsizetype at, int bytes) {
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | static_cast<quint8>(data[at + i]);
    return value;
}

qsizetype Padded4(qsizetype n) {
    return (n + 3) / 4 * 4;
}

}  // namespace

ReplyParts SplitMultipartRelated(const QByteArray& contentType, const QByteArray& body) {
    const MediaType media = ParseMediaType(contentType);
    const QByteArray boundary = media.parameters.value("boundary");
    if (boundary.isEmpty()) return Failed(QStringLiteral("messaggio multipart senza separatore"));
    const QByteArray delimiter = "--" + boundary;

    // The first delimiter opens a line; the preamble before it is ignored.
    qsizetype at = body.startsWith(delimiter) ? 0 : -1;
    if (at < 0) {
        const qsizetype found = body.indexOf("\n" + delimiter);
        if (found >= 0) at = found + 1;
    }
    if (at < 0) return Failed(QStringLiteral("messaggio multipart senza parti"));

    QList<MimePart> parts;
    bool closed = false;
    while (true) {
        qsizetype start = at + delimiter.size();
        if (body.mid(start, 2) == "--") {
            closed = true;
            break;
        }
        const qsizetype lineEnd = body.indexOf('\n', start);
        if (lineEnd < 0) break;
        start = lineEnd + 1;
        const qsizetype next = body.indexOf("\n" + delimiter, start);
        if (next < 0) break;
        qsizetype end = next;
        if (end > start && body[end - 1] == '\r') --end;
        parts.append(ParsePart(body.mid(start, end - start)));
        at = next + 1;
    }
    if (!closed) return Failed(QStringLiteral("messaggio multipart troncato"));
    if (parts.isEmpty()) return Failed(QStringLiteral("messaggio multipart senza parti"));

    qsizetype root = 0;
    const QByteArray start = StripAngles(media.parameters.value("start"));
    if (!start.isEmpty()) {
        root = -1;
        for (qsizetype i = 0; i < parts.size(); ++i)
            if (StripAngles(parts[i].headers.value("content-id")) == start) root = i;
        if (root < 0) return Failed(QStringLiteral("parte principale del messaggio mancante"));
    }
    ReplyParts result;
    result.ok = true;
    result.envelope = parts[root].content;
    for (qsizetype i = 0; i < parts.size(); ++i)
        if (i != root) result.attachments.append(parts[i].content);
    return result;
}

ReplyParts SplitDime(const QByteArray& body) {
    constexpr int kHeader = 12;
    QList<QByteArray> records;
    QByteArray chunked;
    qsizetype at = 0;
    bool last = false;
    while (!last) {
        if (at + kHeader > body.size()) return Failed(QStringLiteral("messaggio DIME troncato"));
        const auto first = static_cast<quint8>(body[at]);
        if ((first >> 3) != 1) return Failed(QStringLiteral("versione DIME sconosciuta"));
        last = (first & 0x02) != 0;
        const bool continues = (first & 0x01) != 0;
        const qsizetype options = BigEndian(body, at + 2, 2);
        const qsizetype id = BigEndian(body, at + 4, 2);
        const qsizetype type = BigEndian(body, at + 6, 2);
        const qsizetype length = BigEndian(body, at + 8, 4);
        at += kHeader + Padded4(options) + Padded4(id) + Padded4(type);
        if (at + length > body.size()) return Failed(QStringLiteral("messaggio DIME troncato"));
        chunked += body.mid(at, length);
        at += Padded4(length);
        if (!continues) {
            records.append(chunked);
            chunked.clear();
        } else if (last) {
            return Failed(QStringLiteral("messaggio DIME troncato"));
        }
    }
    if (records.isEmpty()) return Failed(QStringLiteral("messaggio DIME vuoto"));
    ReplyParts result;
    result.ok = true;
    result.envelope = records.takeFirst();
    result.attachments = records;
    return result;
}

ReplyParts SplitSoapReply(const QByteArray& contentType, const QByteArray& body) {
    const QByteArray type = ParseMediaType(contentType).type;
    if (type == "multipart/related") return SplitMultipartRelated(contentType, body);
    if (type == "application/dime") return SplitDime(body);
    ReplyParts plain;
    plain.ok = true;
    plain.envelope = body;
    return plain;
}

std::vector<fs::path> StoreAttachments(const fs::path& folder,
                                       const QList<QByteArray>& attachments) {
    std::vector<fs::path> paths;
    for (qsizetype i = 0; i < attachments.size(); ++i) {
        const fs::path path = folder / (kAttachmentFilePrefix + std::to_string(i));
        ReplaceFileContent(path, std::string_view(attachments[i].constData(),
                                                  static_cast<std::size_t>(attachments[i].size())));
        paths.push_back(path);
    }
    return paths;
}

}  // namespace braxol::net
