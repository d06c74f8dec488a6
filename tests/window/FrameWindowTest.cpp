// The frame window: title, fixed client area, menu, start-up picture, steering by keys and clicks.
#include "WindowTest.h"

#include "Bitmap.h"
#include "CGame.h"
#include "DC.h"
#include "Wnd.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

constexpr int CLIENT_WIDTH = 640;
constexpr int CLIENT_HEIGHT = 400;
constexpr UINT_PTR TICK_TIMER = 1;

// The game the frame should be playing, stepped by hand alongside it on its own surface.
class Replica {
public:
    Replica()
    {
        m_bmp.CreateBitmap(CLIENT_WIDTH, CLIENT_HEIGHT);
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectObject(&m_bmp);
        m_game.DrawField(m_dc);
    }
    // One tick; the plans below are chosen to stay clear of stars.
    void Tick()
    {
        const HitResult hit = m_game.Probe(m_dc);
        ASSERT_EQ(hit, HIT_NONE);
        m_game.Advance(m_dc, hit);
    }
    void Reverse() { m_game.Reverse(); }
    const CBitmap& Picture() const { return m_bmp; }

private:
    CBitmap m_bmp;
    CDC m_dc;
    CGame m_game;
};

QStringList Texts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* pAction : actions)
        texts << pAction->text();
    return texts;
}

} // namespace

class FrameWindowTest : public WindowTest {
protected:
    // One tick in the frame and in the replica.
    void Tick(Replica& replica)
    {
        replica.Tick();
        // A crash would open a box that nobody answers.
        ASSERT_FALSE(HasFatalFailure());
        Frame()->WindowProc(WM_TIMER, TICK_TIMER, 0);
    }
};

TEST_F(FrameWindowTest, OpensTitledFixedSizeWithMenuIconAndFocus)
{
    OpenFrame();
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Vantrel Ver0.2"));
    EXPECT_EQ(Client()->size(), QSize(CLIENT_WIDTH, CLIENT_HEIGHT));
    EXPECT_EQ(Window()->minimumSize(), Window()->maximumSize());
    EXPECT_FALSE(Window()->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(Window()->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(Window()->windowIcon().isNull());
    EXPECT_EQ(QApplication::focusWidget(), Client());

    const QMenuBar* pBar = Window()->findChild<QMenuBar*>();
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(Texts(pBar->actions()), QStringList({"Game(&G)", "Ranking(&R)", "About(&A)"}));
    ASSERT_NE(pBar->actions().front()->menu(), nullptr);
    EXPECT_EQ(Texts(pBar->actions().front()->menu()->actions()), QStringList({"Start(&S)", "Exit(&X)"}));
}

TEST_F(FrameWindowTest, ClientAreaStaysExactUnderATallerMenuBar)
{
    const QFont previous = QApplication::font("QMenuBar");
    QFont large = previous;
    large.setPointSize(previous.pointSize() * 3);
    QApplication::setFont(large, "QMenuBar");
    OpenFrame();
    const int nMenuHeight = Window()->findChild<QMenuBar*>()->height();
    EXPECT_EQ(Client()->size(), QSize(CLIENT_WIDTH, CLIENT_HEIGHT));
    EXPECT_EQ(Window()->size(), QSize(CLIENT_WIDTH, CLIENT_HEIGHT + nMenuHeight));
    QApplication::setFont(previous, "QMenuBar");
}

TEST_F(FrameWindowTest, FirstPaintShowsTheReadyStageOneField)
{
    OpenFrame();
    const Replica replica;
    EXPECT_TRUE(SamePixels(ScreenPicture(), replica.Picture()));
}

TEST_F(FrameWindowTest, EverySpaceKeyDownFlipsOnceAutoRepeatsIncluded)
{
    OpenFrame();
    StartGame();
    Replica replica;
    for (int i = 0; i < 4; ++i)
        Tick(replica);
    PressKey(Client(), Qt::Key_Space, QStringLiteral(" "));
    replica.Reverse();
    Tick(replica);
    // Held down: the first press and two auto-repeats.
    for (bool bRepeat : {false, true, true}) {
        PressKey(Client(), Qt::Key_Space, QStringLiteral(" "), bRepeat);
        replica.Reverse();
    }
    Tick(replica);
    Tick(replica);
    PressKey(Client(), Qt::Key_A, QStringLiteral("a"));
    Tick(replica);
    EXPECT_TRUE(SamePixels(ClientPicture(), replica.Picture()));
}

TEST_F(FrameWindowTest, ClickAndDoubleClickEachFlip)
{
    OpenFrame();
    StartGame();
    Replica replica;
    Tick(replica);
    SendMouse(Client(), QEvent::MouseButtonPress);
    SendMouse(Client(), QEvent::MouseButtonRelease);
    replica.Reverse();
    Tick(replica);
    // A quick second click comes as a double-click in place of its press.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease})
        SendMouse(Client(), type);
    replica.Reverse();
    replica.Reverse();
    Tick(replica);
    EXPECT_TRUE(SamePixels(ClientPicture(), replica.Picture()));
}

class HighDensity : public WindowTest {};

// Run with QT_SCALE_FACTOR=2; skipped on an ordinary screen.
TEST_F(HighDensity, PixelsEnlargeAsSharpBlocks)
{
    OpenFrame();
    const qreal dpr = Window()->devicePixelRatio();
    if (dpr < 2)
        GTEST_SKIP() << "device pixel ratio " << dpr;
    const Replica replica;
    // Rendered at the window's density (the offscreen platform's screen grab
    // does not scale, so it cannot show this).
    const QImage screen = ClientPicture();
    ASSERT_EQ(screen.size(), QSize(CLIENT_WIDTH * 2, CLIENT_HEIGHT * 2));
    CBitmap enlarged;
    enlarged.CreateBitmap(CLIENT_WIDTH * 2, CLIENT_HEIGHT * 2);
    for (int y = 0; y < CLIENT_HEIGHT * 2; ++y) {
        for (int x = 0; x < CLIENT_WIDTH * 2; ++x)
            enlarged.Bits()[y * CLIENT_WIDTH * 2 + x] = replica.Picture().Bits()[(y / 2) * CLIENT_WIDTH + x / 2];
    }
    EXPECT_TRUE(SamePixels(screen, enlarged));
}
