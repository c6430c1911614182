#include "preventive/pec_account.h"

#include "store/config_files.h"
#include "store/paths.h"
#include "ui/text.h"

namespace braxol::preventive {
namespace {

enum Text { kServer = 0, kSender = 1, kPassword = 2, kRecipients = 3 };
enum Integer { kPort = 0, kSsl = 1, kAuthentication = 2, kCopy = 3 };

}  // namespace

PecAccount AccountFromRecord(const TTABELLA& r) {
    PecAccount a;
    a.server = ui::FromField(r.text[kServer]);
    a.sender = ui::FromField(r.text[kSender]);
    a.password = ui::FromField(r.text[kPassword]);
    a.recipients = ui::FromField(r.text[kRecipients]);
    a.portChoice = r.integer[kPort];
    a.ssl = r.integer[kSsl] == 1;
    a.authentication = r.integer[kAuthentication] == 1;
    a.copyToSelf = r.integer[kCopy] == 1;
    return a;
}

TTABELLA RecordOfAccount(const PecAccount& a) {
    TTABELLA r = BlankTabella();
    ui::SetField(r.text[kServer], a.server.trimmed());
    ui::SetField(r.text[kSender], a.sender.trimmed());
    ui::SetField(r.text[kPassword], a.password);
    ui::SetField(r.text[kRecipients], a.recipients.trimmed());
    r.integer[kPort] = a.portChoice;
    r.integer[kSsl] = a.ssl ? 1 : 0;
    r.integer[kAuthentication] = a.authentication ? 1 : 0;
    r.integer[kCopy] = a.copyToSelf ? 1 : 0;
    return r;
}

std::optional<PecAccount> ReadPecAccount(const fs::path& file) {
    const fs::path path = ResolvePath(file);
    if (!PathExists(path)) return std::nullopt;
    return AccountFromRecord(ReadConfigRecord(path));
}

void WritePecAccount(const fs::path& file, const PecAccount& account) {
    WriteConfigRecord(ResolvePath(file), RecordOfAccount(account), true);
}

}  // namespace braxol::preventive
