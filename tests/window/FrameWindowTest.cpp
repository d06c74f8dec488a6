// The frame window: title, fixed client area, menu, start-up picture, steering by keys and clicks.
#include "WindowTest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

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
    const auto tick = [&] {
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
        replica.Reverse();
    }
    tick();
    QTest::keyClick(Client(), Qt::Key_A);
    tick();
    QTest::mouseClick(Client(), Qt::LeftButton);
    replica.Reverse();
    tick();
    QTest::mouseClick(Client(), Qt::LeftButton);
    QTest::mouseDClick(Client(), Qt::LeftButton); // comes in place of the second press
    QTest::mouseRelease(Client(), Qt::LeftButton);
    replica.Reverse();
    replica.Reverse();
    tick();
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
    const QImage small = ReadyField();
    QImage enlarged(1280, 800, QImage::Format_RGB32);
    for (int y = 0; y < enlarged.height(); ++y)
        for (int x = 0; x < enlarged.width(); ++x)
            enlarged.setPixel(x, y, small.pixel(x / 2, y / 2));
    EXPECT_TRUE(ClientPicture() == enlarged);
}
