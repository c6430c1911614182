// An error that escapes the delivery of an event is told in Italian and the program goes on.

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/guarded_application.h"
#include "store/decimal.h"
#include "store/io_error.h"
#include "support/qt/scripted_seams.h"
#include "ui/seams.h"

namespace braxol {
namespace {

using test::ScriptedSeams;

TEST(GuardedApplication, AnEscapedErrorIsToldAndTheEventCountsAsNotHandled) {
    const struct {
        const char* name;
        std::function<bool()> deliver;
        bool result;
        QString told;  // the start of the one message shown; empty for none
    } cases[] = {
        {"handled", [] { return true; }, true, {}},
        {"not handled", [] { return false; }, false, {}},
        {"file", []() -> bool { throw IoError("REGISTRI/2025.RGM", "disco pieno"); }, false,
         "REGISTRI/2025.RGM"},
        {"figure", []() -> bool { throw DecimalOverflow(); }, false,
         QString::fromUtf8("ERRORE IMPREVISTO: VALORE TROPPO GRANDE PER IL CALCOLO")},
        {"unforeseen", []() -> bool { throw std::logic_error("guasto"); }, false,
         QString::fromUtf8("ERRORE IMPREVISTO: guasto")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSeams seams;
        EXPECT_EQ(app::DeliverGuarded(c.deliver), c.result);
        const QStringList texts = seams.messages.texts();
        if (c.told.isEmpty()) {
            EXPECT_TRUE(texts.isEmpty());
        } else {
            ASSERT_EQ(texts.size(), 1);
            EXPECT_TRUE(texts[0].contains(c.told)) << texts[0].toStdString();
        }
    }
}

// An error inside the telling of another one (a box that repaints a failing window) is not
// told again: the boxes cannot pile up.
class FailingWhileShown : public test::ScriptedMessages {
public:
    void inform(QWidget* parent, const QString& text, ui::Severity severity) override {
        test::ScriptedMessages::inform(parent, text, severity);
        app::DeliverGuarded([]() -> bool { throw std::runtime_error("di nuovo"); });
    }
};

TEST(GuardedApplication, AnErrorWhileTellingIsNotToldAgain) {
    ScriptedSeams seams;
    FailingWhileShown messages;
    ui::Seams::setMessages(&messages);
    app::DeliverGuarded([]() -> bool { throw std::runtime_error("primo"); });
    ui::Seams::setMessages(&seams.messages);
    EXPECT_EQ(messages.texts().size(), 1);
}

}  // namespace
}  // namespace braxol
