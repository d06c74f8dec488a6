// The name and About dialogs on the real window: byte limit, refused characters, keys, contents.
#include "WindowTest.h"

#include "AboutDlg.h"
#include "NameDlg.h"
#include "QtResourceImage.h"
#include "resource.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Types text one character at a time, as keyboard and input method deliver it.
void Type(QLineEdit* pEdit, const QString& text)
{
    for (QChar ch : text)
        WindowTest::PressKey(pEdit, 0, QString(ch));
}

void ClearAndType(QLineEdit* pEdit, const QString& text)
{
    pEdit->clear();
    Type(pEdit, text);
}

void Paste(QLineEdit* pEdit, const QString& text)
{
    QApplication::clipboard()->setText(text);
    WindowTest::PressKey(pEdit, Qt::Key_V, {}, false, Qt::ControlModifier);
}

} // namespace

// Dialogs exist only while the frame does; each test opens it first.
class DialogTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        OpenFrame();
    }
};

TEST_F(DialogTest, OpensEmptyWithTheFocusInTheEditBox)
{
    CNameDlg dlg(Frame());
    OnNextModal([](QWidget* pModal) {
        auto* pEdit = pModal->findChild<QLineEdit*>();
        EXPECT_EQ(QApplication::focusWidget(), pEdit);
        EXPECT_TRUE(pEdit->text().isEmpty());
        EXPECT_EQ(pModal->windowTitle(), QStringLiteral("Type your Name."));
        QTest::keyClick(pEdit, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, "");
}

TEST_F(DialogTest, EditBoxHoldsAtMostSixteenBytesOfCodePage932)
{
    CNameDlg dlg(Frame());
    QStringList seen;
    OnNextModal([&seen](QWidget* pModal) {
        auto* pEdit = pModal->findChild<QLineEdit*>();
        // A 17th byte cannot be typed.
        ClearAndType(pEdit, QStringLiteral("abcdefghijklmnopq"));
        seen << pEdit->text();
        // Eight double-byte characters fill the box; a ninth is refused.
        ClearAndType(pEdit, QStringLiteral("あいうえおかきくけ"));
        seen << pEdit->text();
        // A double-byte character does not fit into the last free byte.
        ClearAndType(pEdit, QStringLiteral("abcdefghijklmnoあ"));
        seen << pEdit->text();
        // A paste keeps what fits.
        ClearAndType(pEdit, QStringLiteral("x"));
        Paste(pEdit, QStringLiteral("１２３４５６７８９"));
        seen << pEdit->text();
        // Characters that code page 932 cannot represent are refused, typed or pasted.
        ClearAndType(pEdit, QStringLiteral("aé한😀b"));
        Paste(pEdit, QStringLiteral("cé"));
        seen << pEdit->text();
        // The name ends up as code page 932 bytes.
        ClearAndType(pEdit, QStringLiteral("ｱ名前A"));
        QTest::keyClick(pEdit, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(seen, QStringList({"abcdefghijklmnop", "あいうえおかきく", "abcdefghijklmno", "x１２３４５６７",
                                 "ab"}));
    EXPECT_EQ(dlg.m_strName, "\xb1\x96\xbc\x91\x4f" "A");
}

TEST_F(DialogTest, EscapeAndTheCloseBoxCancel)
{
    {
        CNameDlg dlg(Frame());
        OnNextModal([](QWidget* pModal) {
            Type(pModal->findChild<QLineEdit*>(), QStringLiteral("abc"));
            QTest::keyClick(KeyTarget(pModal), Qt::Key_Escape);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    {
        CNameDlg dlg(Frame());
        OnNextModal([](QWidget* pModal) { pModal->close(); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    {
        CNameDlg dlg(Frame());
        OnNextModal([](QWidget* pModal) {
            Type(pModal->findChild<QLineEdit*>(), QStringLiteral("Bob"));
            pModal->findChild<QPushButton*>()->click();
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_strName, "Bob");
    }
}

TEST_F(DialogTest, AboutBoxShowsItsTemplateAndCentresOnTheFrame)
{
    CAboutDlg dlg(Frame());
    QStringList labels;
    QImage icon;
    QPoint offset;
    OnNextModal([&](QWidget* pModal) {
        EXPECT_EQ(pModal->windowTitle(), QStringLiteral("Vantrelのバージョン情報"));
        for (const QLabel* pLabel : pModal->findChildren<QLabel*>()) {
            if (pLabel->pixmap().isNull())
                labels << pLabel->text();
            else
                icon = pLabel->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        }
        auto* pOK = pModal->findChild<QPushButton*>();
        EXPECT_EQ(pOK->text(), QStringLiteral("OK"));
        EXPECT_TRUE(pOK->isDefault());
        offset = pModal->geometry().center() - Window()->geometry().center();
        QTest::keyClick(KeyTarget(pModal), Qt::Key_Escape);
    });
    dlg.DoModal();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0], QStringLiteral("Vantrel Ver.0.2"));
    EXPECT_TRUE(labels[1].startsWith(QStringLiteral("2002.9.12   "))) << labels[1].toStdString();
    EXPECT_EQ(icon, LoadResourceImage(IDI_APPICON));
    // Centred up to the width of a window border.
    EXPECT_LE(offset.manhattanLength(), 8);
}
