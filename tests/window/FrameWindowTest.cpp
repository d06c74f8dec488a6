// The frame window: title, fixed client area, menu, start-up picture, steering by keys and clicks.
#include "WindowTest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace {

QStringList Texts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* pAction : actions)
        texts << pAction->text();
    return texts;
}

} // namespace

using FrameWindowTest = WindowTest;

// Under a menu bar three times the usual height, the client area stays exact.
TEST_F(FrameWindowTest, OpensTitledFixedSizeWithMenuIconFocusAndTheReadyField)
{
    const QFont previous = QApplication::font("QMenuBar");
    QFont large = previous;
    large.setPointSize(previous.pointSize() * 3);
    QApplication::setFont(large, "QMenuBar");
    OpenFrame();
    const QMenuBar* pBar = Window()->findChild<QMenuBar*>();
    EXPECT_EQ(Window()->windowTitle(), "Vantrel Ver0.2");
    EXPECT_EQ(Client()->size(), QSize(640, 400));
    EXPECT_EQ(Window()->size(), QSize(640, 400 + pBar->height()));
    EXPECT_EQ(Window()->minimumSize(), Window()->maximumSize());
    EXPECT_FALSE(Window()->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(Window()->windowIcon().isNull());
    EXPECT_EQ(QApplication::focusWidget(), Client());
    EXPECT_EQ(Texts(pBar->actions()), QStringList({"Game(&G)", "Ranking(&R)", "About(&A)"}));
    EXPECT_EQ(Texts(pBar->actions().front()->menu()->actions()), QStringList({"Start(&S)", "Exit(&X)"}));
    EXPECT_TRUE(ScreenPicture() == ReadyField());
    QApplication::setFont(previous, "QMenuBar");
}

// Alt with a menu's underlined letter opens it (or runs it, for an item of the bar), then the item's letter runs it.
TEST_F(FrameWindowTest, MenuMnemonicsRunTheirCommands)
{
    OpenFrame();
    const std::pair<std::vector<Qt::Key>, QString> cases[] = {
        {{Qt::Key_G, Qt::Key_S}, "Hit anykey to Start!"},
        {{Qt::Key_R}, "Ranking"},
        {{Qt::Key_A}, "Vantrelのバージョン情報"},
    };
    for (const auto& [keys, opened] : cases) {
        QString seen;
        OnNextModal([&seen](QWidget* pModal) {
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            seen = pBox != nullptr ? pBox->text() : pModal->windowTitle();
            QTest::keyClick(KeyTarget(pModal), Qt::Key_Escape);
        });
        for (int i = 0; i < 50 && QApplication::activeWindow() != Window(); ++i) // back from the last box
            QTest::qWait(10);
        QTest::keyClick(Client(), keys[0], Qt::AltModifier);
        for (std::size_t i = 1; i < keys.size(); ++i)
            QTest::keyClick(QApplication::activePopupWidget(), keys[i]);
        EXPECT_TRUE(seen.contains(opened)) << opened.toStdString() << ": " << seen.toStdString();
    }
}

// Held down, Space auto-repeats and each repeat flips too (each flip costs points, so the score shows every one); a
// double-click comes in place of a second press and flips as well.
TEST_F(FrameWindowTest, EverySpaceKeyDownClickAndDoubleClickFlipsOnce)
{
    OpenFrame();
    StartGame();
    // The game the frame should be playing, stepped alongside it on its own surface.
    CBitmap bmp;
    bmp.CreateBitmap(640, 400);
    CDC dc;
    dc.SelectObject(&bmp);
    CGame replica(m_scene.m_clock);
    replica.DrawField(dc);
    const auto tick = [&](int nFlips = 0) { // the flips the events before it made
        for (int i = 0; i < nFlips; ++i)
            replica.Reverse();
        const HitResult hit = replica.Probe(dc);
        ASSERT_EQ(hit, HIT_NONE) << "a crash would open a box that nobody answers";
        replica.Advance(dc, hit);
        Frame()->WindowProc(WM_TIMER, 1, 0);
    };
    for (int i = 0; i < 4; ++i)
        tick();
    ASSERT_FALSE(HasFatalFailure());
    for (bool bRepeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", bRepeat);
        QApplication::sendEvent(Client(), &press);
    }
    tick(3);
    QTest::keyClick(Client(), Qt::Key_A);
    tick();
    QTest::mouseClick(Client(), Qt::LeftButton);
    tick(1);
    QTest::mouseClick(Client(), Qt::LeftButton);
    QTest::mouseDClick(Client(), Qt::LeftButton); // comes in place of the second press
    QTest::mouseRelease(Client(), Qt::LeftButton);
    tick(2);
    EXPECT_TRUE(ClientPicture() == Picture(bmp));
}

using HighDensity = WindowTest;

// Run with QT_SCALE_FACTOR=2; skipped on an ordinary screen. Rendered at the window's density (the offscreen platform's
// screen grab does not scale).
TEST_F(HighDensity, PixelsEnlargeAsSharpBlocks)
{
    OpenFrame();
    if (Window()->devicePixelRatio() < 2)
        GTEST_SKIP() << "device pixel ratio " << Window()->devicePixelRatio();
    // Each pixel a 2 x 2 block, as nearest-neighbour scaling gives.
    EXPECT_TRUE(ClientPicture() == ReadyField().scaled(1280, 800, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}
