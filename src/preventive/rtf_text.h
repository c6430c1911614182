#pragma once
// The text of the certified e-mail is kept as rich text (DATI_GEN/TESTOPEC.RTF), and the
// window edits it as plain text. These convert between the two: what is written reads back
// the same, and the rich text of a word processor reads as its plain text (paragraphs, tabs,
// accented letters; fonts, colours and pictures are left out).

#include <QString>
#include <string>
#include <string_view>

namespace braxol::preventive {

// Rich text of one plain font: Windows-1252 letters as \'hh, any other character as \uN.
std::string PlainTextToRtf(const QString& text);

// The plain text of rich text. Text that is not rich text is taken as it is (UTF-8, or
// Windows-1252 when it is not valid UTF-8).
QString RtfToPlainText(std::string_view rtf);

}  // namespace braxol::preventive
