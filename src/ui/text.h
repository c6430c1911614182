#pragma once
// Record texts are Windows-1252 bytes; windows work with QString.

#include <QString>
#include <string>
#include <string_view>

#include "store/cp1252.h"
#include "store/pstring.h"

namespace braxol::ui {

inline QString FromRecord(std::string_view bytes) {
    return QString::fromStdString(Utf8FromCp1252(bytes));
}
template <std::size_t N>
QString FromField(const PStr<N>& field) {
    return FromRecord(field.trimmed());
}
// A character that Windows-1252 cannot hold becomes its nearest Windows-1252 writing: the
// letter without its accent ("ő" becomes "o"), the plain form of a compatibility character
// ("ﬁ" becomes "fi"), a few look-alikes ("ł" becomes "l", "−" becomes "-"); "?" when there is
// none. No byte of another encoding ever reaches a record.
std::string ToRecord(const QString& text);
template <std::size_t N>
void SetField(PStr<N>& field, const QString& text) {
    field.set(ToRecord(text));
}

}  // namespace braxol::ui
