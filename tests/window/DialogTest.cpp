// The name and About dialogs on the real window: byte limit, refused characters, keys, contents.
#include "WindowTest.h"

#include "NameDlg.h"
#include "QtByteLimitValidator.h"
#include "resource.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// How text reaches the edit box: keystrokes, an input method's commit, or the clipboard.
enum class By { Keys, InputMethod, Paste };

// Sets the box to before, then enters text.
void Enter(QLineEdit* pEdit, const QString& before, By by, const QString& text)
{
    pEdit->setText(before);
    if (by == By::Paste) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(pEdit, Qt::Key_V, Qt::ControlModifier);
    } else if (by == By::InputMethod) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(pEdit, &commit);
    } else {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(pEdit, &press);
        }
    }
}

} // namespace

class DialogTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenFrame();
    }
    // The name dialog, ended by end; returns its result and, after OK, the name.
    std::pair<INT_PTR, std::string> AskName(const std::function<void(QWidget*, QLineEdit*)>& end)
    {
        CNameDlg dlg(Frame());
        OnNextModal([end](QWidget* pModal) { end(pModal, pModal->findChild<QLineEdit*>()); });
        const INT_PTR nResult = dlg.DoModal();
        return {nResult, dlg.m_strName};
    }
};

// What the box keeps of each entry, and whether the desktop beeped.
TEST_F(DialogTest, EditBoxKeepsSixteenBytesOfPrintableCodePage932AndBeepsAtTheRest)
{
    struct Case {
        QString before;
        By by;
        QString text, kept;
        bool bBeep;
    };
    const Case cases[] = {
        {"", By::Keys, "abcdefghijklmnop", "abcdefghijklmnop", false},
        {"", By::Keys, "abcdefghijklmnopq", "abcdefghijklmnop", true},   // a 17th byte cannot be typed
        {"", By::Keys, "あいうえおかきくけ", "あいうえおかきく", true},  // eight double-byte characters fill it
        {"", By::Keys, "abcdefghijklmnoあ", "abcdefghijklmno", true},    // no room for a double-byte one
        {"x", By::Paste, "１２３４５６７８９", "x１２３４５６７", true}, // a paste keeps what fits
        {"", By::Keys, "aé한😀b", "ab", true},                            // beyond code page 932
        {"", By::InputMethod, "a\tb\nc\x1b\x7f", "abc", true},           // control characters
        {"", By::Paste, "A\tB\r\nC", "ABC", true},
        {"", By::Paste, "名前😀ＡＢＣＤＥＦＧ", "名前ＡＢＣＤＥＦ", true}, // a refused character does not drop the rest
        {"", By::Paste, QString("😀").repeated(20000), "", true},          // the box's length limit cuts a pair in two
    };
    QStringList kept, expected;
    const auto result = AskName([&](QWidget* pModal, QLineEdit* pEdit) {
        EXPECT_EQ(pModal->windowTitle(), "Type your Name.");
        EXPECT_EQ(QApplication::focusWidget(), pEdit);
        int nBeeps = 0;
        QObject::connect(pEdit->findChild<CQtByteLimitValidator*>(), &CQtByteLimitValidator::Refused,
                         [&nBeeps] { ++nBeeps; });
        for (const Case& c : cases) {
            nBeeps = 0;
            Enter(pEdit, c.before, c.by, c.text);
            kept << pEdit->text() + (nBeeps > 0 ? " (beep)" : "");
            expected << c.kept + (c.bBeep ? " (beep)" : "");
        }
        Enter(pEdit, "", By::Keys, "ｱ名前A");
        QTest::keyClick(pEdit, Qt::Key_Return);
    });
    EXPECT_EQ(kept.join(" | ").toStdString(), expected.join(" | ").toStdString());
    EXPECT_EQ(result, std::make_pair(INT_PTR(IDOK), std::string("\xb1\x96\xbc\x91OA")));
}

// The template's layout in dialog units: a quarter of the font's mean Latin letter width across, an eighth of its
// height down; the controls keep their offsets in the middle of a dialog widened for its caption. An empty name is
// accepted.
TEST_F(DialogTest, NameDialogFollowsItsTemplateOkAcceptsEscapeAndTheCloseBoxCancel)
{
    const auto okOnTemplate = [](QWidget* pModal, QLineEdit* pEdit) {
        const QFontMetrics metrics(pModal->font());
        const int cx = (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
        const auto du = [&](int x, int y, int w, int h, int dx = 0) {
            return QRect((x * cx + 2) / 4 + dx, (y * metrics.height() + 4) / 8, (w * cx + 2) / 4,
                         (h * metrics.height() + 4) / 8);
        };
        EXPECT_EQ(pModal->font().family(), "IPAPGothic");
        EXPECT_EQ(pModal->height(), du(0, 0, 135, 61).height());
        const int dx = (pModal->width() - du(0, 0, 135, 61).width()) / 2;
        EXPECT_GE(dx, 0);
        EXPECT_EQ(pEdit->geometry(), du(19, 18, 93, 16, dx));
        auto* pOK = pModal->findChild<QPushButton*>();
        EXPECT_EQ(pOK->geometry(), du(52, 40, 30, 14, dx));
        EXPECT_EQ(pOK->text(), "OK");
        const auto* pLabel = pModal->findChild<QLabel*>();
        EXPECT_EQ(pLabel->text(), "Type your Name.(Within 8 character)");
        const QRect label = du(12, 7, 108, 8, dx);
        EXPECT_EQ(pLabel->geometry().topLeft(), label.topLeft());
        EXPECT_EQ(pLabel->height(), label.height());
        EXPECT_GE(pLabel->width(), label.width());
        pOK->click();
    };
    EXPECT_EQ(AskName(okOnTemplate), std::make_pair(INT_PTR(IDOK), std::string()));
    const auto escape = [](QWidget*, QLineEdit* pEdit) {
        Enter(pEdit, "", By::Keys, "abc");
        QTest::keyClick(pEdit, Qt::Key_Escape);
    };
    EXPECT_EQ(AskName(escape).first, IDCANCEL);
    EXPECT_EQ(AskName([](QWidget* pModal, QLineEdit*) { pModal->close(); }).first, IDCANCEL);
}

TEST_F(DialogTest, AboutFromTheMenuShowsItsTemplate)
{
    QStringList labels;
    QImage icon;
    OnNextModal([&](QWidget* pModal) {
        for (const QLabel* pLabel : pModal->findChildren<QLabel*>())
            if (pLabel->pixmap().isNull())
                labels << pLabel->text();
            else
                icon = pLabel->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pOK = pModal->findChild<QPushButton*>();
        EXPECT_TRUE(pOK->isDefault() && pOK->text() == "OK");
        QTest::keyClick(KeyTarget(pModal), Qt::Key_Escape);
    });
    MenuAction("About(&A)")->trigger();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0], "Vantrel Ver.0.2");
    EXPECT_TRUE(labels[1].startsWith("2002.9.12   ")) << labels[1].toStdString();
    EXPECT_EQ(icon, LoadResourceImage(IDI_APPICON));
}
