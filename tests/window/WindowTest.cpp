// Boxes awaited, the screen read and the frame closed for the window tests, and their entry point.
#include "WindowTest.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {

// How often a waiting test looks for a new box.
constexpr int MODAL_POLL_MS = 10;
constexpr int MODAL_MAX_POLLS = 50;
// Counts finished tests, so that a box awaited in vain stops being awaited with its test.
int g_nTestsDone = 0;

// A new box counts once it is shown and active (it has the keyboard), or after a while on a platform that does not
// activate windows.
void PollForModal(QPointer<QWidget> pBefore, std::function<void(QWidget*)> fn, int nTest, int nPolls)
{
    if (nTest != g_nTestsDone)
        return;
    QWidget* pModal = QApplication::activeModalWidget();
    if (pModal != nullptr && pModal != pBefore && pModal->isVisible() &&
        (QApplication::activeWindow() == pModal || nPolls >= MODAL_MAX_POLLS)) {
        fn(pModal);
        return;
    }
    QTimer::singleShot(MODAL_POLL_MS, [=] { PollForModal(pBefore, fn, nTest, nPolls + 1); });
}

} // namespace

CQtWindowSystem* WindowTest::s_pWindowSystem = nullptr;

void WindowTest::OnNextModal(std::function<void(QWidget*)> fn)
{
    QPointer<QWidget> pBefore(QApplication::activeModalWidget());
    QTimer::singleShot(0, [=, nTest = g_nTestsDone] { PollForModal(pBefore, fn, nTest, 0); });
}

void WindowTest::TearDown()
{
    while (QWidget* pModal = QApplication::activeModalWidget()) {
        QTest::keyClick(KeyTarget(pModal), Qt::Key_Escape);
        QTest::qWait(MODAL_POLL_MS);
    }
    if (Frame() != nullptr)
        Frame()->DestroyWindow();
    for (int i = 0; i < 100 && Frame() != nullptr; ++i)
        QTest::qWait(MODAL_POLL_MS);
    ++g_nTestsDone;
}

QImage WindowTest::ScreenPicture() const
{
    QApplication::processEvents();
    const qreal dpr = Window()->devicePixelRatio();
    const QRect client(Client()->mapTo(Window(), QPoint(0, 0)), Client()->size());
    const QPixmap window = Window()->screen()->grabWindow(Window()->winId());
    return window.toImage()
        .copy(QRect(client.topLeft() * dpr, client.size() * dpr))
        .convertToFormat(QImage::Format_RGB32);
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Without a display the tests run on the offscreen platform; a given one (xcb under Xvfb) is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    CQtWindowSystem windowSystem;
    WindowTest::s_pWindowSystem = &windowSystem;
    return RUN_ALL_TESTS();
}
