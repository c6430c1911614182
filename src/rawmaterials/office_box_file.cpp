#include "rawmaterials/office_box_file.h"

#include <QStringList>

#include "store/paths.h"
#include "store/safe_file.h"
#include "ui/text.h"

namespace braxol::rawmaterials {
namespace {

fs::path OfficeBoxFile(const fs::path& datiGen) {
    return ResolvePath(datiGen / kOfficeBoxFileName);
}

}  // namespace

std::optional<QString> ReadOfficeBox(const fs::path& datiGen) {
    const auto bytes = ReadWholeFile(OfficeBoxFile(datiGen));
    if (!bytes) return std::nullopt;
    QString text = ui::FromRecord(*bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The last line's end closes it; it does not begin another one.
    if (text.endsWith('\n')) text.chop(1);
    return text;
}

void SaveOfficeBox(const fs::path& datiGen, const QString& text) {
    std::string content;
    if (!text.isEmpty())
        for (const QString& line : text.split('\n')) content += ui::ToRecord(line) + "\r\n";
    ReplaceFileContent(OfficeBoxFile(datiGen), content);
}

}  // namespace braxol::rawmaterials
