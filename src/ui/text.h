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
inline std::string ToRecord(const QString& text) {
    return Cp1252FromUtf8(text.toStdString());
}
template <std::size_t N>
void SetField(PStr<N>& field, const QString& text) {
    field.set(ToRecord(text));
}

}  // namespace braxol::ui
