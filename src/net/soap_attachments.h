#pragma once
// Replies with attachments: a multipart/related MIME message (the SOAP envelope as the root
// part, the attachments after it) or a DIME message (the envelope as the first record), and
// the files the attachments are kept in.

#include <QByteArray>
#include <QList>
#include <QString>
#include <filesystem>
#include <vector>

namespace braxol::net {

namespace fs = std::filesystem;

// The first attachment of a reply is kept under this name; the n-th (from 0) ends in n.
inline constexpr const char* kAttachmentFilePrefix = "BORLANDSOAPATTACHMENT";
inline constexpr const char* kFirstAttachmentName = "BORLANDSOAPATTACHMENT0";

struct ReplyParts {
    bool ok = false;
    QString problem;  // why the message could not be taken apart
    QByteArray envelope;
    QList<QByteArray> attachments;  // in the order the message carries them
};

// Takes the reply body apart by its Content-Type: multipart/related, application/dime, or a
// plain envelope (any other type).
ReplyParts SplitSoapReply(const QByteArray& contentType, const QByteArray& body);

ReplyParts SplitMultipartRelated(const QByteArray& contentType, const QByteArray& body);
ReplyParts SplitDime(const QByteArray& body);

// Writes the attachments into the folder, each written beside its final name and renamed,
// so that a reader never meets half a file. Throws IoError.
std::vector<fs::path> StoreAttachments(const fs::path& folder,
                                       const QList<QByteArray>& attachments);

}  // namespace braxol::net
