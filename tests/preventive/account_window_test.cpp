// The account window of the certified e-mail: what it writes to ACCOUNT_PEC.DAT, the checks of
// its fields, and the scanned signature saved as FIRMA.BMP.

#include "preventive/account_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "preventive_fixture.h"
#include "store/config_files.h"

namespace braxol {
namespace {

using namespace braxol::preventive;
using namespace braxol::test;
using namespace braxol::test::preventive;

class AccountWindow : public PreventiveTest {
protected:
    std::unique_ptr<TFACCOUNT_PEC> window;

    void Open() {
        window = std::make_unique<TFACCOUNT_PEC>(work.folders());
        ShowActive(window.get());
    }
    QWidget* W() { return window.get(); }
    QString Shown(const QString& name) { return ControlAs<QLineEdit>(W(), name)->text(); }
    void FillGood() {
        Retype(W(), "ST1250_0", "smtps.pec.it");
        Retype(W(), "ST1250_1", "birrificio@pec.it");
        Retype(W(), "st1250_2", "Segreta 1");
        Retype(W(), "ST1250_3", "dogana@pec.it");
    }
    fs::path Signature() const { return work.datiGen("FIRMA.BMP"); }
    QString PicturePath(const char* name) const {
        return QString::fromStdString((work.root() / name).string());
    }
};

TEST_F(AccountWindow, OpensEmptyAndSavesWhatIsTyped) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Impostazione dell'account della PEC");
    EXPECT_EQ(FocusName(), "ST1250_0");
    EXPECT_EQ(ControlAs<QComboBox>(W(), "INTERI_0")->currentText(), "25");
    for (const char* box : {"INTERI_1", "INTERI_2", "INTERI_3"})
        EXPECT_FALSE(ControlAs<QCheckBox>(W(), box)->isChecked()) << box;
    EXPECT_EQ(ControlAs<QLineEdit>(W(), "st1250_2")->echoMode(), QLineEdit::Password);

    FocusOn(W(), "ST1250_0");
    Type(W(), "SMTPS.Pec.Aruba.IT");
    EXPECT_EQ(Shown("ST1250_0"), "smtps.pec.aruba.it");  // typed in lower case
    PressEnter(W());
    Type(W(), "Birrificio@PEC.it");
    PressEnter(W());
    Type(W(), "Segreta 1");
    PressEnter(W());
    Type(W(), "dogana.milano@pec.it, ufficio@pec.it");
    PressEnter(W());
    EXPECT_EQ(FocusName(), "INTERI_0");
    PressKey(W(), Qt::Key_Down);
    PressKey(W(), Qt::Key_Down);
    EXPECT_EQ(ControlAs<QComboBox>(W(), "INTERI_0")->currentText(), "587");
    for (const char* box : {"INTERI_1", "INTERI_3"}) {
        FocusOn(W(), box);
        PressKey(W(), Qt::Key_Space);
    }
    Click(W(), "BCONF");
    EXPECT_TRUE(window->saved());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(seams.messages.texts(), QStringList{});

    const TTABELLA r = ReadConfigRecord(work.folders().pecAccountFile());
    EXPECT_EQ(r.text[0].str(), "smtps.pec.aruba.it");
    EXPECT_EQ(r.text[1].str(), "birrificio@pec.it");
    EXPECT_EQ(r.text[2].str(), "Segreta 1");
    EXPECT_EQ(r.text[3].str(), "dogana.milano@pec.it, ufficio@pec.it");
    EXPECT_EQ(r.text[4].str(), "");
    EXPECT_EQ(r.integer[0], 2);
    EXPECT_EQ(r.integer[1], 1);
    EXPECT_EQ(r.integer[2], 0);
    EXPECT_EQ(r.integer[3], 1);
    EXPECT_EQ(FileBytes(work.folders().pecAccountFile()).size(), sizeof(TTABELLA));
    struct stat st {};
    ASSERT_EQ(::stat(work.folders().pecAccountFile().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // it holds the password
    EXPECT_FALSE(fs::exists(Signature()));

    // The next opening shows it again.
    Open();
    EXPECT_EQ(Shown("ST1250_0"), "smtps.pec.aruba.it");
    EXPECT_EQ(Shown("st1250_2"), "Segreta 1");
    EXPECT_EQ(Shown("ST1250_3"), "dogana.milano@pec.it, ufficio@pec.it");
    EXPECT_EQ(ControlAs<QComboBox>(W(), "INTERI_0")->currentText(), "587");
    EXPECT_TRUE(ControlAs<QCheckBox>(W(), "INTERI_1")->isChecked());
    EXPECT_FALSE(ControlAs<QCheckBox>(W(), "INTERI_2")->isChecked());
    EXPECT_TRUE(ControlAs<QCheckBox>(W(), "INTERI_3")->isChecked());
}

// A refused field takes the focus, silently, and nothing is written.
TEST_F(AccountWindow, RefusedFields) {
    const struct {
        const char* field;
        const char* text;
    } cases[] = {{"ST1250_0", " "},
                 {"ST1250_1", "birrificio.pec.it"},
                 {"st1250_2", "  "},
                 {"ST1250_3", "dogana.pec.it"},
                 {"ST1250_3", "dogana@pec.it, ufficio"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Open();
        FillGood();
        Retype(W(), c.field, c.text);
        Click(W(), "BCONF");
        EXPECT_EQ(FocusName(), c.field);
        EXPECT_FALSE(window->saved());
        EXPECT_EQ(seams.messages.texts(), QStringList{});
        EXPECT_FALSE(fs::exists(work.folders().pecAccountFile()));
    }
}

TEST_F(AccountWindow, SignaturePictures) {
    QImage wide(900, 300, QImage::Format_ARGB32);
    wide.fill(Qt::transparent);
    ASSERT_TRUE(wide.save(PicturePath("firma.png"), "PNG"));
    ASSERT_TRUE(QImage(90, 30, QImage::Format_RGB32).save(PicturePath("firma.jpg"), "JPEG"));
    ASSERT_TRUE(QImage(120, 40, QImage::Format_RGB32).save(PicturePath("firma.gif.bmp"), "BMP"));
    WriteFileBytes(work.root() / "rotta.bmp", "non un'immagine");
    WriteFileBytes(work.root() / "firma.gif", "GIF89a");
    const struct {
        const char* file;
        QString message;
        QSize saved;  // nothing saved when empty
    } cases[] = {
        {"firma.gif", kOnlyPicturesMessage, {}}, {"rotta.bmp", kBadPictureMessage, {}},
        {"firma.png", {}, {900, 300}},           {"firma.jpg", {}, {90, 30}},
        {"firma.gif.bmp", {}, {120, 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        fs::remove(Signature());
        Open();
        FillGood();
        seams.files.planPath(PicturePath(c.file));
        Click(W(), "BIMMAGINE");
        EXPECT_EQ(seams.messages.texts(),
                  c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        seams.messages.clear();
        Click(W(), "BCONF");
        ASSERT_TRUE(window->saved());
        if (c.saved.isEmpty()) {
            EXPECT_FALSE(fs::exists(Signature()));
            continue;
        }
        EXPECT_EQ(FileBytes(Signature()).substr(0, 2), "BM");
        const QImage saved(QString::fromStdString(Signature().string()), "BMP");
        EXPECT_EQ(saved.size(), c.saved);
        // Shown at most 180 pixels wide, and shown again at the next opening.
        Open();
        const QPixmap shown = ControlAs<QLabel>(W(), "Image1")->pixmap();
        EXPECT_EQ(shown.width(), std::min(180, c.saved.width()));
    }
}

// The signature is loaded from the keyboard too, before the account is filled in: by Tab the
// button comes after "&CONFERMA", which sends the focus back to the first field to fill.
TEST_F(AccountWindow, SignatureLoadedByItsAccelerator) {
    ASSERT_TRUE(QImage(90, 30, QImage::Format_RGB32).save(PicturePath("firma.png"), "PNG"));
    Open();
    seams.files.planPath(PicturePath("firma.png"));
    PressKey(W(), Qt::Key_S, Qt::AltModifier);
    QTest::qWait(250);  // the accelerator clicks after the button's animation
    EXPECT_EQ(seams.files.captions.size(), 1);
    EXPECT_EQ(ControlAs<QLabel>(W(), "Image1")->pixmap().width(), 90);
}

// A transparent picture is kept on white, as it prints.
TEST_F(AccountWindow, TransparentPictureIsKeptOnWhite) {
    QImage picture(10, 10, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixelColor(5, 5, Qt::black);
    const QByteArray bitmap = SignatureBitmap(picture);
    const QImage saved = QImage::fromData(bitmap, "BMP");
    EXPECT_EQ(saved.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(saved.pixelColor(5, 5), QColor(Qt::black));
}

TEST_F(AccountWindow, DamagedAccountFileIsReportedAndNeverWritten) {
    WriteFileBytes(work.folders().pecAccountFile(), std::string(100, 'x'));
    Open();
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    FillGood();
    Click(W(), "BCONF");
    EXPECT_FALSE(window->saved());
    EXPECT_EQ(seams.messages.shown().size(), 2u);
    EXPECT_EQ(FileBytes(work.folders().pecAccountFile()), std::string(100, 'x'));
}

// Files that cannot even be told there or not (a loop of links) are reported like any other
// input/output error: the window opens, writes nothing and leaves the picture empty.
TEST_F(AccountWindow, FilesThatCannotBeReachedAreReported) {
    fs::create_symlink(work.folders().pecAccountFile(), work.folders().pecAccountFile());
    fs::create_symlink(Signature(), Signature());
    Open();
    ASSERT_EQ(seams.messages.shown().size(), 1u);
    EXPECT_EQ(seams.messages.shown()[0].severity, ui::Severity::Error);
    EXPECT_TRUE(ControlAs<QLabel>(W(), "Image1")->pixmap().isNull());
    EXPECT_EQ(Shown("ST1250_0"), "");
    FillGood();
    Click(W(), "BCONF");
    EXPECT_FALSE(window->saved());
    EXPECT_TRUE(fs::is_symlink(work.folders().pecAccountFile()));
}

}  // namespace
}  // namespace braxol
