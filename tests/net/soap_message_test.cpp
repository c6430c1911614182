// SOAP messages without a network: the request envelope against the golden request that a
// SOAP 1.1 RPC/encoded server expects, the reading of replies (results, multiRef results,
// faults, and replies that are not SOAP), and replies with attachments in MIME and DIME.

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <filesystem>

#include "net/soap_attachments.h"
#include "net/soap_envelope.h"
#include "net/soap_operations.h"
#include "store/safe_file.h"
#include "support/qt/widget_helpers.h"
#include "support/temp_folder.h"

namespace braxol::net {
namespace {

namespace fs = std::filesystem;

QByteArray Golden(const char* name) {
    QFile file(QString(BRAXOL_NET_GOLDEN) + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

TEST(SoapInterface, DeclaresTheSixOperationsInOnePlace) {
    QStringList names;
    for (const SoapOperation& op : CustomsOperations())
        names << QString::fromLatin1(op.name.data(), op.name.size());
    EXPECT_EQ(names, QStringList({"ls", "dir", "getlog", "get", "put", "mget"}));
    EXPECT_EQ(PutOperation().parameters.size(), 2u);
    EXPECT_EQ(PutOperation().parameters[0].type, SoapType::Base64Binary);
    EXPECT_EQ(FindCustomsOperation("delete"), nullptr);
}

TEST(SoapRequest, PutMatchesTheGoldenRpcEncodedRequest) {
    const std::vector<SoapArgument> arguments{QByteArray("firmato"), QString("ABCD0315.C01.p7m")};
    EXPECT_EQ(BuildSoapRequest(PutOperation(), arguments), Golden("put_request.xml"));
}

TEST(SoapRequest, TextIsEscapedAndSentAsUtf8) {
    const std::vector<SoapArgument> arguments{QString("a<b&\"città\"")};
    const QByteArray request = BuildSoapRequest(GetOperation(), arguments);
    EXPECT_TRUE(request.contains(
        "<fileName xsi:type=\"xsd:string\">a&lt;b&amp;&quot;citt\xc3\xa0&quot;</fileName>"))
        << request.constData();
}

QByteArray Envelope(const QByteArray& body, const QByteArray& prefix = "soapenv") {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><" + prefix + ":Envelope xmlns:" + prefix +
           "=\"http://schemas.xmlsoap.org/soap/envelope/\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><" +
           prefix + ":Body>" + body + "</" + prefix + ":Body></" + prefix + ":Envelope>";
}

TEST(SoapReplyReading, ReadsResultsWhateverThePrefixes) {
    const QByteArray plain = Envelope(
        "<ns1:putResponse xmlns:ns1=\"urn:x\"><putReturn xsi:type=\"xsd:string\">File acquisito "
        "con "
        "successo</putReturn></ns1:putResponse>");
    SoapReply reply = ParseSoapReply(plain, PutOperation());
    ASSERT_EQ(reply.kind, SoapReply::Kind::Result) << reply.problem.toStdString();
    EXPECT_EQ(reply.text, "File acquisito con successo");

    // Another prefix for the same namespace, and a header to skip.
    const QByteArray other =
        "<E:Envelope xmlns:E=\"http://schemas.xmlsoap.org/soap/envelope/\"><E:Header><x:t "
        "xmlns:x=\"urn:t\">1</x:t></E:Header><E:Body><m:getResponse xmlns:m=\"urn:x\"><return>"
        "pronto</return></m:getResponse></E:Body></E:Envelope>";
    reply = ParseSoapReply(other, GetOperation());
    ASSERT_EQ(reply.kind, SoapReply::Kind::Result) << reply.problem.toStdString();
    EXPECT_EQ(reply.text, "pronto");
}

TEST(SoapReplyReading, FollowsAMultiRefResult) {
    const QByteArray reply = Envelope(
        "<ns1:getResponse xmlns:ns1=\"urn:x\"><getReturn href=\"#id0\"/></ns1:getResponse>"
        "<multiRef id=\"id0\" xsi:type=\"xsd:string\">esito allegato</multiRef>");
    const SoapReply read = ParseSoapReply(reply, GetOperation());
    ASSERT_EQ(read.kind, SoapReply::Kind::Result) << read.problem.toStdString();
    EXPECT_EQ(read.text, "esito allegato");
}

TEST(SoapReplyReading, DecodesABase64Result) {
    const SoapOperation& getlog = *FindCustomsOperation("getlog");
    const SoapReply read = ParseSoapReply(
        Envelope("<n:getlogResponse xmlns:n=\"urn:x\"><r>AAEC\n/w==</r></n:getlogResponse>"),
        getlog);
    ASSERT_EQ(read.kind, SoapReply::Kind::Result) << read.problem.toStdString();
    EXPECT_EQ(read.bytes, QByteArray("\x00\x01\x02\xff", 4));
}

TEST(SoapReplyReading, AFaultGivesItsFaultString) {
    const SoapReply read = ParseSoapReply(
        Envelope("<soapenv:Fault><faultcode>soapenv:Server</faultcode><faultstring>Utente non "
                 "abilitato</faultstring></soapenv:Fault>"),
        PutOperation());
    ASSERT_EQ(read.kind, SoapReply::Kind::Fault);
    EXPECT_EQ(read.faultCode, "soapenv:Server");
    EXPECT_EQ(read.faultString, "Utente non abilitato");
}

TEST(SoapReplyReading, WhatIsNotASoapEnvelopeIsNeverAResult) {
    const QByteArray good =
        Envelope("<n:putResponse xmlns:n=\"urn:x\"><r>successo</r></n:putResponse>");
    const QList<QByteArray> replies{
        "",
        "<html><head><title>Accesso alla rete</title></head><body>successo</body></html>",
        "HTTP/1.1 200 OK successo",
        good.left(good.size() - 30),  // truncated
        QByteArray(good).replace("http://schemas.xmlsoap.org/soap/envelope/",
                                 "http://www.w3.org/2003/05/soap-envelope"),  // SOAP 1.2
        "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\"/>",
        Envelope("<n:getResponse xmlns:n=\"urn:x\"><r href=\"#nessuno\"/></n:getResponse>"),
    };
    for (const QByteArray& reply : replies) {
        const SoapReply read = ParseSoapReply(reply, PutOperation());
        EXPECT_EQ(read.kind, SoapReply::Kind::NotSoap) << reply.constData();
        EXPECT_FALSE(read.problem.isEmpty());
    }
}

const QByteArray kEnvelope = Envelope("<n:getResponse xmlns:n=\"urn:x\"><r>ok</r></n:getResponse>");

TEST(ReplyAttachments, MimeRootPartByStartAndAttachmentsInOrder) {
    const QByteArray body =
        "preambolo\r\n--b1\r\nContent-Type: application/octet-stream\r\nContent-ID: <a1>\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\nRVNJVE8=\r\n"
        "--b1\r\nContent-Type: text/xml\r\nContent-ID: <root>\r\n\r\n" +
        kEnvelope +
        "\r\n"
        "--b1\r\nContent-Type: text/plain\r\n\r\nsecondo\r\ncon due righe\r\n--b1--\r\n";
    const ReplyParts parts =
        SplitSoapReply("Multipart/Related; type=\"text/xml\"; start=\"<root>\"; boundary=b1", body);
    ASSERT_TRUE(parts.ok) << parts.problem.toStdString();
    EXPECT_EQ(parts.envelope, kEnvelope);
    ASSERT_EQ(parts.attachments.size(), 2);
    EXPECT_EQ(parts.attachments[0], "ESITO");
    EXPECT_EQ(parts.attachments[1], "secondo\r\ncon due righe");
}

TEST(ReplyAttachments, MimeWithoutStartTakesTheFirstPartAsRoot) {
    const QByteArray body = "--=_q;x\r\n\r\n" + kEnvelope +
                            "\r\n--=_q;x\r\nContent-Transfer-Encoding: "
                            "quoted-printable\r\n\r\nriga=3D1 =\r\ncontinua\r\n--=_q;x--";
    const ReplyParts parts = SplitSoapReply("multipart/related; boundary=\"=_q;x\"", body);
    ASSERT_TRUE(parts.ok) << parts.problem.toStdString();
    EXPECT_EQ(parts.envelope, kEnvelope);
    ASSERT_EQ(parts.attachments.size(), 1);
    EXPECT_EQ(parts.attachments[0], "riga=1 continua");
}

TEST(ReplyAttachments, BrokenMimeIsAFailure) {
    const QByteArray whole = "--b\r\n\r\n" + kEnvelope + "\r\n--b\r\n\r\nesito\r\n--b--\r\n";
    EXPECT_FALSE(SplitSoapReply("multipart/related; boundary=b", whole.left(whole.size() - 12)).ok);
    EXPECT_FALSE(SplitSoapReply("multipart/related", whole).ok);
    EXPECT_FALSE(SplitSoapReply("multipart/related; boundary=c", whole).ok);
    EXPECT_FALSE(SplitSoapReply("multipart/related; boundary=b; start=\"<x>\"", whole).ok);
}

QByteArray DimeRecord(quint8 flags, const QByteArray& type, const QByteArray& data) {
    QByteArray r;
    r += static_cast<char>((1 << 3) | flags);
    r += static_cast<char>(0x20);
    auto be = [&r](quint32 v, int n) {
        for (int i = n - 1; i >= 0; --i) r += static_cast<char>((v >> (8 * i)) & 0xff);
    };
    be(0, 2);
    be(0, 2);
    be(type.size(), 2);
    be(data.size(), 4);
    auto padded = [&r](const QByteArray& s) { r += s + QByteArray((4 - s.size() % 4) % 4, '\0'); };
    padded(type);
    padded(data);
    return r;
}

TEST(ReplyAttachments, DimeRecordsChunksIncluded) {
    const QByteArray body =
        DimeRecord(0x04, "http://schemas.xmlsoap.org/soap/envelope/", kEnvelope) +
        DimeRecord(0x01, "application/octet-stream", "ESI") + DimeRecord(0x00, "", "TO") +
        DimeRecord(0x02, "text/plain", "altro");
    const ReplyParts parts = SplitSoapReply("application/dime", body);
    ASSERT_TRUE(parts.ok) << parts.problem.toStdString();
    EXPECT_EQ(parts.envelope, kEnvelope);
    EXPECT_EQ(parts.attachments, QList<QByteArray>({"ESITO", "altro"}));

    EXPECT_FALSE(SplitSoapReply("application/dime", body.left(body.size() - 6)).ok);
    EXPECT_FALSE(SplitSoapReply("application/dime", QByteArray(40, '\xff')).ok);
    EXPECT_FALSE(SplitSoapReply("application/dime", "").ok);
}

TEST(ReplyAttachments, AreStoredUnderTheirNamesReplacingOldOnes) {
    test::TempWorkFolder work;
    const fs::path folder = work.folders().temp;
    ReplaceFileContent(folder / "BORLANDSOAPATTACHMENT0", "vecchio esito, molto più lungo");
    const auto paths = StoreAttachments(folder, {"esito\r\n", QByteArray("\x00\x01", 2)});
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0], folder / "BORLANDSOAPATTACHMENT0");
    EXPECT_EQ(*ReadWholeFile(paths[0]), "esito\r\n");
    EXPECT_EQ(*ReadWholeFile(folder / "BORLANDSOAPATTACHMENT1"), std::string("\x00\x01", 2));
    // Nothing is left beside them.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++files;
    EXPECT_EQ(files, 2);
}

}  // namespace
}  // namespace braxol::net
