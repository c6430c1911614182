// The text of the certified e-mail kept as rich text: what is written reads back the same, and
// the rich text of a word processor reads as its plain text.

#include "preventive/rtf_text.h"

#include <gtest/gtest.h>

#include "support/qt/widget_helpers.h"

namespace braxol {
namespace {

using preventive::PlainTextToRtf;
using preventive::RtfToPlainText;

TEST(RtfText, WhatIsWrittenReadsBackTheSame) {
    const char* texts[] = {
        "",
        "Buongiorno",
        "Spett.le Ufficio,\nsi trasmette la comunicazione.\n\nCordiali saluti",
        "Perché è già là: più qualità, € 10",
        "graffe {} e barre \\ e\ttabulazioni",
        "riga finale vuota\n",
        "Ελληνικά e 中文 e 🍺",
    };
    for (const char* t : texts) {
        const QString text = QString::fromUtf8(t);
        const std::string rtf = PlainTextToRtf(text);
        EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u) << t;
        for (unsigned char c : rtf) EXPECT_LT(c, 0x80) << t;  // rich text is 7-bit
        EXPECT_EQ(RtfToPlainText(rtf), text) << t;
    }
}

TEST(RtfText, RichTextOfAWordProcessor) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans "
        "Serif;}{\\f1\\fswiss Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs16 Spett.le "
        "Dogana,\\par\r\nsi invia la comunicazione n.\\~5 \\'e8 \\cf1\\b urgente\\b0\\cf0  "
        "\\u8364?\\par\r\n}\r\n";
    EXPECT_EQ(RtfToPlainText(rtf),
              QString::fromUtf8("Spett.le Dogana,\nsi invia la comunicazione n. 5 è urgente €"));
}

TEST(RtfText, PlainTextFilesAreTakenAsTheyAre) {
    EXPECT_EQ(RtfToPlainText("Cordialit\xc3\xa0"), QString::fromUtf8("Cordialità"));
    EXPECT_EQ(RtfToPlainText("Cordialit\xe0"), QString::fromUtf8("Cordialità"));
}

}  // namespace
}  // namespace braxol
