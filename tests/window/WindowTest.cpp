// Opening, driving and closing the game's frame for the window tests.
#include "WindowTest.h"

#include "Bitmap.h"
#include "CGameApp.h"
#include "QtFrameHost.h"
#include "WinApp.h"
#include "Wnd.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

// How often a waiting test looks for a new box.
constexpr int MODAL_POLL_MS = 10;
constexpr int MODAL_MAX_POLLS = 50;
// Counts finished tests, so that a box awaited in vain stops being awaited with its test.
int g_nTestsDone = 0;

QWidget* ActiveModal()
{
    return QApplication::activeModalWidget();
}

// A new box counts once it is shown and active (it has the keyboard), or
// after a while on a platform that does not activate windows.
void PollForModal(QPointer<QWidget> pBefore, std::function<void(QWidget*)> fn, int nTest, int nPolls)
{
    if (nTest != g_nTestsDone)
        return;
    QWidget* pModal = ActiveModal();
    if (pModal != nullptr && pModal != pBefore && pModal->isVisible()
        && (QApplication::activeWindow() == pModal || nPolls >= MODAL_MAX_POLLS)) {
        fn(pModal);
        return;
    }
    QTimer::singleShot(MODAL_POLL_MS,
                       [pBefore, fn, nTest, nPolls] { PollForModal(pBefore, fn, nTest, nPolls + 1); });
}

} // namespace

void WindowTest::OnNextModal(std::function<void(QWidget*)> fn)
{
    QPointer<QWidget> pBefore(ActiveModal());
    QTimer::singleShot(0, [pBefore, fn, nTest = g_nTestsDone] { PollForModal(pBefore, fn, nTest, 0); });
}

QWidget* WindowTest::KeyTarget(QWidget* pModal)
{
    return pModal->focusWidget() != nullptr ? pModal->focusWidget() : pModal;
}

void WindowTest::CloseAllModals()
{
    while (QWidget* pModal = ActiveModal()) {
        QTest::keyClick(KeyTarget(pModal), Qt::Key_Escape);
        Wait(MODAL_POLL_MS);
    }
}

void WindowTest::PressKey(QWidget* pTarget, int nKey, const QString& text, bool bAutoRepeat,
                          Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, nKey, modifiers, text, bAutoRepeat);
    QApplication::sendEvent(pTarget, &press);
}

void WindowTest::SendMouse(QWidget* pTarget, QEvent::Type type)
{
    const QPointF point(100, 100);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, point, pTarget->mapToGlobal(point), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(pTarget, &event);
}

void WindowTest::Wait(int nMs)
{
    QTest::qWait(nMs);
}

void WindowTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_strPreviousDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    m_pPreviousRuntime = SetRuntime(&m_runtime);
}

void WindowTest::TearDown()
{
    CloseAllModals();
    if (CWnd* pFrame = Frame()) {
        pFrame->DestroyWindow();
        for (int i = 0; i < 100 && Frame() != nullptr; ++i)
            Wait(MODAL_POLL_MS);
    }
    SetRuntime(m_pPreviousRuntime);
    QDir::setCurrent(m_strPreviousDir);
    ++g_nTestsDone;
}

void WindowTest::OpenFrame()
{
    // The game's own application object, as AfxWinMain finds it.
    ASSERT_EQ(AfxGetApp(), &theApp);
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_NE(Frame(), nullptr);
    // Let the window system show and activate the window.
    Wait(MODAL_POLL_MS);
}

CWnd* WindowTest::Frame() const
{
    return AfxGetApp()->m_pMainWnd;
}

QWidget* WindowTest::Window() const
{
    return static_cast<CQtFrameHost*>(Frame()->GetHost())->GetWindow();
}

QWidget* WindowTest::Client() const
{
    return static_cast<CQtFrameHost*>(Frame()->GetHost())->GetClient();
}

QAction* WindowTest::MenuAction(const QString& text) const
{
    for (QAction* pAction : Window()->findChild<QMenuBar*>()->actions()) {
        if (pAction->text() == text)
            return pAction;
        if (pAction->menu() == nullptr)
            continue;
        for (QAction* pItem : pAction->menu()->actions()) {
            if (pItem->text() == text)
                return pItem;
        }
    }
    return nullptr;
}

void WindowTest::StartGame()
{
    QString text;
    OnNextModal([&text](QWidget* pBox) {
        text = static_cast<QMessageBox*>(pBox)->text();
        QTest::keyClick(KeyTarget(pBox), Qt::Key_Return);
    });
    MenuAction(QStringLiteral("Start(&S)"))->trigger();
    ASSERT_EQ(text, QStringLiteral("Hit anykey to Start!"));
}

QImage WindowTest::ClientPicture() const
{
    return Client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage WindowTest::ScreenPicture() const
{
    QApplication::processEvents();
    const qreal dpr = Window()->devicePixelRatio();
    const QRect client = Client()->geometry();
    const QPixmap window = Window()->screen()->grabWindow(Window()->winId());
    return window.toImage()
        .copy(QRect((client.topLeft() * dpr), client.size() * dpr))
        .convertToFormat(QImage::Format_RGB32);
}

testing::AssertionResult SamePixels(const QImage& picture, const CBitmap& expected)
{
    if (picture.width() != expected.GetWidth() || picture.height() != expected.GetHeight())
        return testing::AssertionFailure() << "picture is " << picture.width() << " x " << picture.height();
    for (int y = 0; y < picture.height(); ++y) {
        const auto* pRow = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t nWant = expected.Bits()[y * expected.GetWidth() + x];
            if ((pRow[x] | 0xFF000000u) != nWant)
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << pRow[x]
                                                   << ", expected " << nWant;
        }
    }
    return testing::AssertionSuccess();
}
