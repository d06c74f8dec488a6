// How the game's boxes and dialogs sit on the desktop: close button only, wide enough for their caption, centred on
// their owner.
#include "QtBoxWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QWindow>

#include <algorithm>

namespace {

// The largest caption font of the usual desktops, bold.
constexpr qreal TITLE_POINT_SIZE = 11;
// Beside the caption, as many title-bar heights: window icon, close button,
// the minimise and maximise buttons that some window managers draw (disabled)
// even on a box that has neither, and their margins.
constexpr int TITLE_BAR_HEIGHTS_BESIDE = 6;

// How long a box waits for its owner, just shown, to be placed on the desktop.
constexpr int PLACEMENT_WAIT_MS = 1000;

} // namespace

Qt::WindowFlags BoxWindowFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

int CaptionFitWidth(const QString& caption)
{
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPointSizeF(std::max(font.pointSizeF(), TITLE_POINT_SIZE));
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(caption) + TITLE_BAR_HEIGHTS_BESIDE * metrics.height();
}

void CentreOnOwner(QWidget* pBox, const QWidget* pOwner)
{
    const QWidget* pWindow = pOwner->window();
    const QRect frame = pWindow->frameGeometry();
    const QRect client = pWindow->geometry();
    const QSize boxFrame = pBox->size() + (frame.size() - client.size());
    // The position asked of the window system is the client area's.
    pBox->move(frame.topLeft() + (client.topLeft() - frame.topLeft()) +
               QPoint((frame.width() - boxFrame.width()) / 2, (frame.height() - boxFrame.height()) / 2));
}

void AwaitPlacement(const QWidget* pOwner)
{
    const QWindow* pWindow = pOwner->window()->windowHandle();
    QElapsedTimer elapsed;
    elapsed.start();
    while (pWindow != nullptr && pOwner->window()->isVisible() && !pWindow->isExposed() &&
           elapsed.elapsed() < PLACEMENT_WAIT_MS)
        QCoreApplication::processEvents(QEventLoop::AllEvents, PLACEMENT_WAIT_MS);
}

void RestoreActivation(QWidget* pOwner)
{
    QWidget* pNext = QApplication::activeModalWidget();
    if (pNext == nullptr && pOwner != nullptr && pOwner->window()->isVisible())
        pNext = pOwner->window();
    if (pNext != nullptr)
        pNext->activateWindow();
}
