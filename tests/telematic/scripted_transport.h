#pragma once
// A transport that answers from a script: each get fails or succeeds as planned and, when it
// brings a document, leaves it where the network transport leaves the first attachment.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>

#include "net/soap_attachments.h"
#include "net/soap_transport.h"
#include "store/safe_file.h"

namespace braxol::test {

class ScriptedTransport : public net::SoapTransport {
public:
    struct Answer {
        net::SoapFailure failure = net::SoapFailure::None;
        std::optional<std::string> document;  // the first attachment
        QString text = QStringLiteral("ok");  // the service's answer
    };

    explicit ScriptedTransport(std::filesystem::path folder) : folder_(std::move(folder)) {}

    void plan(Answer answer) { answers_.push_back(std::move(answer)); }
    QStringList asked;  // the names of the gets, in order

    net::SoapResult put(const QByteArray&, const QString& fileName) override {
        asked << "put " + fileName;
        return next();
    }
    net::SoapResult get(const QString& fileName) override {
        asked << fileName;
        return next();
    }
    void cancel() override {}
    bool busy() const override { return false; }

private:
    net::SoapResult next() {
        net::SoapResult result;
        Answer answer;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
        result.failure = answer.failure;
        if (answer.failure == net::SoapFailure::None) result.text = answer.text;
        if (answer.document) {
            const auto path = folder_ / net::kFirstAttachmentName;
            ReplaceFileContent(path, *answer.document);
            result.attachmentFiles.push_back(path);
        }
        return result;
    }

    std::filesystem::path folder_;
    std::deque<Answer> answers_;
};

}  // namespace braxol::test
