// The name and About dialogs on the real window: byte limit, refused characters, keys, contents.
#include "WindowTest.h"

#include "NameDlg.h"
#include "QtResourceImage.h"
#include "resource.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Types text one character at a time, as keyboard and input method deliver it.
void Type(QLineEdit* pEdit, const QString& text)
{
    pEdit->clear();
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(pEdit, &press);
    }
}

void Paste(QLineEdit* pEdit, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(pEdit, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

// Dialogs exist only while the frame does.
class DialogTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenFrame();
    }
    // The name dialog, ended by end; returns its result and, after OK, the name.
    std::pair<INT_PTR, std::string> AskName(std::function<void(QWidget*, QLineEdit*)> end)
    {
        CNameDlg dlg(Frame());
        OnNextModal([end](QWidget* pModal) { end(pModal, pModal->findChild<QLineEdit*>()); });
        const INT_PTR nResult = dlg.DoModal();
        return {nResult, dlg.m_strName};
    }
};

TEST_F(DialogTest, EditBoxHoldsAtMostSixteenBytesOfCodePage932)
{
    QStringList seen;
    const auto result = AskName([&seen](QWidget* pModal, QLineEdit* pEdit) {
        EXPECT_EQ(pModal->windowTitle(), "Type your Name.");
        EXPECT_EQ(QApplication::focusWidget(), pEdit);
        Type(pEdit, "abcdefghijklmnopq"); // a 17th byte cannot be typed
        seen << pEdit->text();
        Type(pEdit, "あいうえおかきくけ"); // eight double-byte characters fill the box
        seen << pEdit->text();
        Type(pEdit, "abcdefghijklmnoあ"); // a double-byte character does not fit the last byte
        seen << pEdit->text();
        Type(pEdit, "x");
        Paste(pEdit, "１２３４５６７８９"); // a paste keeps what fits
        seen << pEdit->text();
        // Characters that code page 932 cannot represent are refused, typed or pasted.
        Type(pEdit, "aé한😀b");
        Paste(pEdit, "cé");
        seen << pEdit->text();
        Type(pEdit, "ｱ名前A");
        QTest::keyClick(pEdit, Qt::Key_Return);
    });
    EXPECT_EQ(seen, QStringList({"abcdefghijklmnop", "あいうえおかきく", "abcdefghijklmno", "x１２３４５６７", "ab"}));
    EXPECT_EQ(result, std::make_pair(INT_PTR(IDOK), std::string("\xb1\x96\xbc\x91OA")));
}

// An empty name is accepted.
TEST_F(DialogTest, EnterAndOkAcceptEscapeAndTheCloseBoxCancel)
{
    EXPECT_EQ(AskName([](QWidget* pModal, QLineEdit*) { pModal->findChild<QPushButton*>()->click(); }),
              std::make_pair(INT_PTR(IDOK), std::string()));
    const auto escape = [](QWidget*, QLineEdit* pEdit) {
        Type(pEdit, "abc");
        QTest::keyClick(pEdit, Qt::Key_Escape);
    };
    EXPECT_EQ(AskName(escape).first, IDCANCEL);
    EXPECT_EQ(AskName([](QWidget* pModal, QLineEdit*) { pModal->close(); }).first, IDCANCEL);
}

TEST_F(DialogTest, AboutFromTheMenuShowsItsTemplateCentredOnTheFrame)
{
    QStringList labels;
    QImage icon;
    QPoint offset;
    OnNextModal([&](QWidget* pModal) {
        EXPECT_EQ(pModal->windowTitle(), "Vantrelのバージョン情報");
        for (const QLabel* pLabel : pModal->findChildren<QLabel*>()) {
            if (pLabel->pixmap().isNull())
                labels << pLabel->text();
            else
                icon = pLabel->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        }
        auto* pOK = pModal->findChild<QPushButton*>();
        EXPECT_EQ(pOK->text(), "OK");
        EXPECT_TRUE(pOK->isDefault());
        offset = pModal->geometry().center() - Window()->geometry().center();
        QTest::keyClick(KeyTarget(pModal), Qt::Key_Escape);
    });
    MenuAction("About(&A)")->trigger();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0], "Vantrel Ver.0.2");
    EXPECT_TRUE(labels[1].startsWith("2002.9.12   ")) << labels[1].toStdString();
    EXPECT_EQ(icon, LoadResourceImage(IDI_APPICON));
    EXPECT_LE(offset.manhattanLength(), 8) << "centred up to the width of a window border";
}
