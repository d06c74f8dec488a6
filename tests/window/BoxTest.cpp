// Message boxes over the frame: quit prompt, ticks under a box, copying, the table font, file errors.
#include "WindowTest.h"

#include "Cp932.h"
#include "WindowSystem.h"
#include "WinApp.h"
#include "Wnd.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

constexpr const char* CAPTION = "Vantrel Ver0.2";
// How long a box stays open while the game runs behind it: about ten ticks.
constexpr int TICKS_UNDER_BOX_MS = 200;
// A Run that never ends fails the test instead of hanging it.
constexpr int RUN_DEADLINE_MS = 5000;

QMessageBox* AsBox(QWidget* pModal)
{
    auto* pBox = qobject_cast<QMessageBox*>(pModal);
    EXPECT_NE(pBox, nullptr);
    return pBox;
}

QString TextFont(QMessageBox* pBox)
{
    return QFontInfo(pBox->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font()).family();
}

} // namespace

using BoxTest = WindowTest;

TEST_F(BoxTest, EscapeAsksToQuitCtrlCCopiesTheBoxAndCancelKeepsTheWindow)
{
    OpenFrame();
    QString text, font, copied;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    OnNextModal([&](QWidget* pModal) {
        QMessageBox* pBox = AsBox(pModal);
        text = pBox->text();
        icon = pBox->icon();
        font = TextFont(pBox);
        EXPECT_EQ(pBox->windowTitle(), CAPTION);
        EXPECT_EQ(pBox->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        QTest::keyClick(KeyTarget(pBox), Qt::Key_C, Qt::ControlModifier);
        copied = QApplication::clipboard()->text();
        QTest::keyClick(KeyTarget(pBox), Qt::Key_Escape);
    });
    PressKey(Client(), Qt::Key_Escape);
    EXPECT_EQ(text, QStringLiteral("Do you quit Game?"));
    EXPECT_EQ(icon, QMessageBox::Question);
    // A one-line text keeps the desktop's font.
    EXPECT_NE(font, QStringLiteral("IPAGothic"));
    const qsizetype nCaption = copied.indexOf(CAPTION);
    EXPECT_GE(nCaption, 0);
    EXPECT_GT(copied.indexOf(text), nCaption);
    EXPECT_GT(copied.indexOf(QStringLiteral("OK   Cancel")), copied.indexOf(text));
    Wait(20);
    ASSERT_NE(Frame(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
    // The frame has the keyboard again.
    EXPECT_EQ(QApplication::focusWidget(), Client());
}

TEST_F(BoxTest, ConfirmedExitEndsTheMessageLoopAndDeletesTheFrame)
{
    OpenFrame();
    QPointer<QWidget> pWindow(Window());
    QTimer::singleShot(0, [this] {
        OnNextModal([](QWidget* pBox) { QTest::keyClick(KeyTarget(pBox), Qt::Key_Return); });
        MenuAction(QStringLiteral("Exit(&X)"))->trigger();
    });
    bool bDeadline = false;
    QTimer::singleShot(RUN_DEADLINE_MS, [&bDeadline] {
        bDeadline = true;
        AfxGetApp()->m_pMainWnd->DestroyWindow();
    });
    GetWindowSystem().Run();
    EXPECT_FALSE(bDeadline);
    EXPECT_EQ(Frame(), nullptr);
    EXPECT_EQ(pWindow, nullptr);
}

TEST_F(BoxTest, CloseBoxDestroysAtOnceWithoutPrompt)
{
    OpenFrame();
    bool bPrompted = false;
    OnNextModal([&bPrompted](QWidget* pBox) {
        bPrompted = true;
        QTest::keyClick(KeyTarget(pBox), Qt::Key_Escape);
    });
    Window()->close();
    Wait(50);
    EXPECT_FALSE(bPrompted);
    EXPECT_EQ(Frame(), nullptr);
}

TEST_F(BoxTest, GameGoesOnAndPaintsBehindTheRankingBox)
{
    OpenFrame();
    StartGame();
    QImage before, after;
    OnNextModal([&](QWidget* pBox) {
        before = ScreenPicture();
        Wait(TICKS_UNDER_BOX_MS);
        after = ScreenPicture();
        QTest::keyClick(KeyTarget(pBox), Qt::Key_Return);
    });
    MenuAction(QStringLiteral("Ranking(&R)"))->trigger();
    ASSERT_FALSE(before.isNull());
    EXPECT_NE(before, after);
}

TEST_F(BoxTest, RankingBoxUsesTheTableFontAndCtrlCCopiesIt)
{
    OpenFrame();
    QString font, copied;
    OnNextModal([&](QWidget* pModal) {
        font = TextFont(AsBox(pModal));
        QTest::keyClick(KeyTarget(pModal), Qt::Key_C, Qt::ControlModifier);
        copied = QApplication::clipboard()->text();
        QTest::keyClick(KeyTarget(pModal), Qt::Key_Return);
    });
    MenuAction(QStringLiteral("Ranking(&R)"))->trigger();
    EXPECT_EQ(font, QStringLiteral("IPAGothic"));
    EXPECT_TRUE(copied.contains(CAPTION));
    // The report's header in full-width stars and spaces, then its first and last places.
    EXPECT_TRUE(copied.contains(QStringLiteral("\u2606\u2605\u2606\u2605\u2606\u2605\u3000Ranking\u3000"
                                               "\u2605\u2606\u2605\u2606\u2605\u2606\n\n 1 : stage")));
    EXPECT_TRUE(copied.contains(QStringLiteral(" 5 : stage")));
    EXPECT_TRUE(copied.contains(QStringLiteral("OK")));
}

TEST_F(BoxTest, FailingSaveIsReportedAndTheGameGoesOn)
{
    OpenFrame();
    // A directory where the file should be: the save cannot open it.
    ASSERT_TRUE(QFile::remove(QStringLiteral("rank.vtd")));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("rank.vtd")));
    QString error;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    OnNextModal([&](QWidget* pRanking) {
        OnNextModal([&](QWidget* pError) {
            QMessageBox* pBox = AsBox(pError);
            error = pBox->text();
            icon = pBox->icon();
            EXPECT_EQ(pBox->windowTitle(), CAPTION);
            QTest::keyClick(KeyTarget(pBox), Qt::Key_Return);
        });
        QTest::keyClick(KeyTarget(pRanking), Qt::Key_Return);
    });
    MenuAction(QStringLiteral("Ranking(&R)"))->trigger();
    EXPECT_TRUE(error.contains(QStringLiteral("rank.vtd"))) << error.toStdString();
    EXPECT_EQ(icon, QMessageBox::Critical);

    QString next;
    OnNextModal([&next](QWidget* pBox) {
        next = AsBox(pBox)->text();
        QTest::keyClick(KeyTarget(pBox), Qt::Key_Return);
    });
    MenuAction(QStringLiteral("Start(&S)"))->trigger();
    EXPECT_EQ(next, QStringLiteral("Hit anykey to Start!"));
}

TEST_F(BoxTest, StartUpWhereTheRankingFileCannotBeCreatedWarnsAndPlays)
{
    // A link into a missing directory: reading finds no file, creating fails,
    // as in a directory the player may not write to.
    ASSERT_TRUE(QFile::link(QStringLiteral("missing/rank.vtd"), QStringLiteral("rank.vtd")));
    QString warning;
    OnNextModal([&warning](QWidget* pBox) {
        warning = AsBox(pBox)->text();
        QTest::keyClick(KeyTarget(pBox), Qt::Key_Return);
    });
    OpenFrame();
    EXPECT_TRUE(warning.contains(QStringLiteral("rank.vtd"))) << warning.toStdString();
    EXPECT_TRUE(Window()->isVisible());
    StartGame();
}
