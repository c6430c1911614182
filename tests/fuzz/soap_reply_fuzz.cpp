// A reply of the customs service: its first line is the Content-Type, the rest the body. The
// body is taken apart (multipart/related, DIME or a plain envelope) and the envelope read as
// the reply to get and to put.

#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "net/soap_attachments.h"
#include "net/soap_envelope.h"
#include "net/soap_operations.h"

using namespace braxol::net;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype lineEnd = input.indexOf('\n');
    const QByteArray contentType = lineEnd < 0 ? QByteArray() : input.left(lineEnd);
    const QByteArray body = lineEnd < 0 ? input : input.mid(lineEnd + 1);
    const ReplyParts parts = SplitSoapReply(contentType, body);
    const QByteArray envelope = parts.ok ? parts.envelope : body;
    (void)ParseSoapReply(envelope, GetOperation());
    (void)ParseSoapReply(envelope, PutOperation());
    (void)ParseSoapReply(envelope, *FindCustomsOperation("getlog"));
    return 0;
}
