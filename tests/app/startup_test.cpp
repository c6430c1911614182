// The program speaks Italian, finds the fonts its reports and lists ask for, and leaves the
// window titles as the windows set them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/startup.h"

namespace braxol {
namespace {

TEST(Startup, StandardButtonsReadInItalian) {
    app::UseItalian(*qApp);
    QMessageBox box(QMessageBox::Question, "BRAXOL", "?",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    auto text = [&](QMessageBox::StandardButton b) { return box.button(b)->text().remove('&'); };
    EXPECT_EQ(text(QMessageBox::Yes), "Sì");
    EXPECT_EQ(text(QMessageBox::Cancel), "Annulla");
    EXPECT_EQ(QLocale().decimalPoint(), ",");
}

TEST(Startup, WindowTitlesCarryNoProgramName) {
    app::SetUpProgram(*qApp);
    EXPECT_EQ(QApplication::applicationDisplayName(), "BRAXOL");  // the message boxes' title
    // A display name set by the program would be appended by the platform to every window
    // title (" — BRAXOL"); without one it follows the application name.
    QApplication::setApplicationName("prova");
    EXPECT_EQ(QApplication::applicationDisplayName(), "prova");
    QApplication::setApplicationName("BRAXOL");
}

TEST(Startup, ReportFontsHaveTheirMetricTwins) {
    struct Case {
        const char* asked;
        const char* twin;
    } cases[] = {{"Courier New", "Liberation Mono"}, {"Times New Roman", "Liberation Serif"}};
    for (const auto& c : cases) {
        const QFontInfo info(QFont(c.asked, 12));
        EXPECT_EQ(info.family(), c.twin) << c.asked;
    }
}

}  // namespace
}  // namespace braxol
