// Frame windows on Qt: menu commands, keys, clicks, timers and paints become window messages.
#include "QtFrameHost.h"

#include "Bitmap.h"
#include "QtBoxWindow.h"
#include "QtDialogHost.h"
#include "QtMessageBox.h"
#include "QtResourceImage.h"
#include "QtText.h"
#include "Resources.h"
#include "WinApp.h"
#include "Wnd.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <xcb/xcb.h>

namespace {

constexpr WPARAM MK_LBUTTON = 0x0001;
// WM_KEYDOWN's lParam: repeat count 1; bit 30 set when the key was already down.
constexpr LPARAM KEY_REPEAT_COUNT = 1;
constexpr LPARAM KEY_WAS_DOWN = LPARAM(1) << 30;

// Virtual-key codes of the keys that are not letters, digits or function keys.
struct KeyCode {
    int nQtKey;
    UINT nVirtualKey;
};
constexpr KeyCode KEY_CODES[] = {
    {Qt::Key_Backspace, 0x08},   {Qt::Key_Tab, 0x09},       {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, 0x10},       {Qt::Key_Control, 0x11},   {Qt::Key_Pause, 0x13},       {Qt::Key_CapsLock, 0x14},
    {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE}, {Qt::Key_PageUp, 0x21},      {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23},         {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},        {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},       {Qt::Key_Down, 0x28},      {Qt::Key_Insert, 0x2D},      {Qt::Key_Delete, 0x2E},
};
constexpr UINT VK_F1 = 0x70;

// The virtual-key code of a key, 0 for a key the game's messages do not name.
// Letters and digits have their upper-case ASCII code in both systems.
UINT VirtualKeyOf(int nQtKey)
{
    if ((nQtKey >= Qt::Key_A && nQtKey <= Qt::Key_Z) || (nQtKey >= Qt::Key_0 && nQtKey <= Qt::Key_9))
        return UINT(nQtKey);
    if (nQtKey >= Qt::Key_F1 && nQtKey <= Qt::Key_F24)
        return VK_F1 + UINT(nQtKey - Qt::Key_F1);
    for (const KeyCode& code : KEY_CODES) {
        if (code.nQtKey == nQtKey)
            return code.nVirtualKey;
    }
    return 0;
}

LPARAM PointParam(const QPoint& point)
{
    return LPARAM(std::uint16_t(point.x())) | (LPARAM(std::uint16_t(point.y())) << 16);
}

Qt::WindowFlags FlagsOf(std::uint32_t dwStyle)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if ((dwStyle & WS_CAPTION) != 0)
        flags |= Qt::WindowTitleHint;
    if ((dwStyle & WS_SYSMENU) != 0)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((dwStyle & WS_MINIMIZEBOX) != 0)
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

} // namespace

CQtFrameHost::CQtFrameHost(std::function<void()> fnMainWindowGone, CWnd& wnd, std::string_view title,
                           std::uint32_t dwStyle, const QSize& clientSize, UINT nMenuID)
    : m_fnMainWindowGone(std::move(fnMainWindowGone)), m_wnd(wnd), m_pWindow(new QWidget(nullptr, FlagsOf(dwStyle))),
      m_pClient(new QWidget(m_pWindow))
{
    m_pWindow->setWindowTitle(FromCp932(title));
    auto* pLayout = new QVBoxLayout(m_pWindow);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    // The window takes the size of menu bar plus client area and keeps it.
    pLayout->setSizeConstraint(QLayout::SetFixedSize);
    pLayout->addWidget(m_pClient);
    BuildMenu(nMenuID);

    m_pClient->setFixedSize(clientSize);
    // Every paint copies the whole bitmap, so nothing is cleared first.
    m_pClient->setAttribute(Qt::WA_OpaquePaintEvent);
    m_pClient->setAttribute(Qt::WA_NoSystemBackground);
    m_pClient->setFocusPolicy(Qt::StrongFocus);
    m_pClient->setFocus();
    m_pClient->installEventFilter(this);
    m_pWindow->installEventFilter(this);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

CQtFrameHost::~CQtFrameHost()
{
    m_timers.clear();
    if (m_pWindow == nullptr)
        return;
    m_pWindow->removeEventFilter(this);
    m_pClient->removeEventFilter(this);
    m_pWindow->hide();
    // Inside one of the window's own events it must outlive the event.
    if (m_nDispatchDepth > 0)
        m_pWindow->deleteLater();
    else
        delete m_pWindow;
}

void CQtFrameHost::BuildMenu(UINT nMenuID)
{
    const std::span<const ResMenuItem> items = FindMenuResource(nMenuID);
    if (items.empty())
        return;
    auto* pBar = new QMenuBar(m_pWindow);
    m_pWindow->layout()->setMenuBar(pBar);
    const auto bind = [this](QAction* pAction, UINT nID) {
        connect(pAction, &QAction::triggered, this, [this, nID] { Dispatch(WM_COMMAND, nID); });
    };
    for (const ResMenuItem& item : items) {
        if (item.children.empty()) {
            bind(pBar->addAction(FromCp932(item.text)), item.nID);
            continue;
        }
        QMenu* pPopup = pBar->addMenu(FromCp932(item.text));
        for (const ResMenuItem& child : item.children)
            bind(pPopup->addAction(FromCp932(child.text)), child.nID);
    }
}

void CQtFrameHost::ShowWindow(int nCmdShow)
{
    if (m_bDestroyed)
        return;
    if (nCmdShow == SW_HIDE) {
        m_pWindow->hide();
        return;
    }
    m_pWindow->show();
    m_pWindow->activateWindow();
}

void CQtFrameHost::UpdateWindow()
{
    if (!m_bDestroyed && m_pClient->isVisible())
        m_pClient->repaint();
}

void CQtFrameHost::SetIcon(UINT nIconID, BOOL)
{
    m_pWindow->setWindowIcon(LoadResourceIcon(nIconID));
}

void CQtFrameHost::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    if (m_bDestroyed)
        return;
    std::unique_ptr<QTimer>& pTimer = m_timers[nIDEvent];
    if (pTimer == nullptr) {
        pTimer = std::make_unique<QTimer>();
        // Keeps the period on average instead of drifting by the handler's time.
        pTimer->setTimerType(Qt::PreciseTimer);
        connect(pTimer.get(), &QTimer::timeout, this, [this, nIDEvent] { Dispatch(WM_TIMER, nIDEvent); });
    }
    pTimer->start(int(nElapse));
}

// Stopped rather than deleted: this may run inside the timer's own timeout.
void CQtFrameHost::KillTimer(UINT_PTR nIDEvent)
{
    const auto it = m_timers.find(nIDEvent);
    if (it != m_timers.end())
        it->second->stop();
}

void CQtFrameHost::Invalidate(BOOL)
{
    if (!m_bDestroyed)
        m_pClient->update();
}

void CQtFrameHost::PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc)
{
    if (m_pPainter == nullptr || src.IsEmpty())
        return;
    m_pPainter->drawImage(QRect(x, y, cx, cy), BitmapImage(src), QRect(xSrc, ySrc, cx, cy));
}

int CQtFrameHost::MessageBox(std::string_view text, std::string_view caption, UINT nType)
{
    if (m_bDestroyed)
        return IDCANCEL;
    // A box counts as a handler, wherever it was asked for (the start-up boxes come before the message loop): the
    // window, its parent, is deleted only once the box has gone.
    ++m_nDispatchDepth;
    CQtMessageBox box(m_pWindow, text, caption, nType);
    const int nResult = box.Run();
    box.hide();
    RestoreActivation(m_pWindow);
    // Only queues the window's end: the box is gone before it comes.
    LeaveDispatch();
    return nResult;
}

std::unique_ptr<IDialogHost> CQtFrameHost::CreateDialogHost(UINT nIDTemplate)
{
    const ResDialog* pRes = FindDialogResource(nIDTemplate);
    if (pRes == nullptr || m_bDestroyed)
        return nullptr;
    auto pDialog = std::make_unique<CQtDialogHost>(*pRes, m_pWindow);
    // Counted as a handler while it lives, as a box is.
    ++m_nDispatchDepth;
    connect(pDialog.get(), &QObject::destroyed, this, [this] { LeaveDispatch(); });
    return pDialog;
}

void CQtFrameHost::DestroyWindow()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    for (auto& [nID, pTimer] : m_timers)
        pTimer->stop();
    m_pWindow->hide();
    if (m_nDispatchDepth == 0)
        QueueFinishDestroy();
}

// The handlers waiting on the boxes go on at once: a name dialog counts as
// cancelled, a ranking box as closed, so that the save after it is made. A box
// or dialog not yet shown (still waiting to be placed) ends the same way.
void CQtFrameHost::OnWindowGone()
{
    if (m_pWindow == nullptr)
        return;
    DestroyWindow();
    for (QDialog* pModal : m_pWindow->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        if (auto* pBox = dynamic_cast<CQtMessageBox*>(pModal))
            pBox->Cancel();
        else
            pModal->reject();
    }
}

void CQtFrameHost::QueueFinishDestroy()
{
    if (m_bFinishQueued)
        return;
    m_bFinishQueued = true;
    // Posted to the application, not to this object, which the call deletes.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [pThis = QPointer<CQtFrameHost>(this)] {
            if (pThis != nullptr)
                pThis->FinishDestroy();
        },
        Qt::QueuedConnection);
}

void CQtFrameHost::FinishDestroy()
{
    // Taken before PostNcDestroy deletes this host.
    const std::function<void()> fnMainWindowGone = m_fnMainWindowGone;
    CWnd& wnd = m_wnd;
    CWinApp* pApp = AfxGetApp();
    const bool bMainWindow = pApp != nullptr && pApp->m_pMainWnd == &wnd;
    if (bMainWindow)
        pApp->m_pMainWnd = nullptr;
    // A frame deletes itself here, and this host with it.
    wnd.PostNcDestroy();
    if (bMainWindow && fnMainWindowGone)
        fnMainWindowGone();
}

void CQtFrameHost::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bDestroyed)
        return;
    ++m_nDispatchDepth;
    m_wnd.WindowProc(message, wParam, lParam);
    LeaveDispatch();
}

void CQtFrameHost::LeaveDispatch()
{
    --m_nDispatchDepth;
    if (m_bDestroyed && m_nDispatchDepth == 0)
        QueueFinishDestroy();
}

bool CQtFrameHost::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pClient)
        return OnClientEvent(pEvent);
    if (pWatched == m_pWindow && pEvent->type() == QEvent::Close) {
        // The window decides: its default handling destroys it.
        pEvent->ignore();
        Dispatch(WM_CLOSE);
        return true;
    }
    return false;
}

// Another X client (a task manager, a script) may destroy the window; Qt
// passes the server's notice on and does nothing else with it.
bool CQtFrameHost::nativeEventFilter(const QByteArray& eventType, void* pMessage, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || m_bDestroyed || m_pWindow == nullptr)
        return false;
    // Only the server's own notice: one sent by a client has the high bit set.
    const auto* pEvent = static_cast<const xcb_destroy_notify_event_t*>(pMessage);
    if (pEvent->response_type == XCB_DESTROY_NOTIFY && pEvent->window == m_pWindow->internalWinId())
        OnWindowGone();
    return false;
}

bool CQtFrameHost::OnClientEvent(QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::Paint: {
        QPainter painter(m_pClient);
        // Enlarged pixels stay square blocks on a high-density screen.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        m_pPainter = &painter;
        Dispatch(WM_PAINT);
        m_pPainter = nullptr;
        return true;
    }
    case QEvent::KeyPress: {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        const UINT nVirtualKey = VirtualKeyOf(pKey->key());
        // Alt combinations belong to the menu bar's mnemonics.
        if (nVirtualKey == 0 || (pKey->modifiers() & Qt::AltModifier) != 0)
            return false;
        Dispatch(WM_KEYDOWN, nVirtualKey, KEY_REPEAT_COUNT | (pKey->isAutoRepeat() ? KEY_WAS_DOWN : 0));
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        if (pMouse->button() != Qt::LeftButton)
            return false;
        // Qt reports a quick second press as a double-click instead, as the game expects.
        Dispatch(pEvent->type() == QEvent::MouseButtonPress ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK, MK_LBUTTON,
                 PointParam(pMouse->position().toPoint()));
        return true;
    }
    default:
        return false;
    }
}
