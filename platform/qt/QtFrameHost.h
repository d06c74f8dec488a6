// A frame window on Qt: title, menu bar and a fixed 640 x 400 client area that paints from the game's bitmap.
#pragma once

#include "WindowHost.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

class CWnd;
class QEvent;
class QPainter;
class QTimer;

class CQtFrameHost : public QObject, public QAbstractNativeEventFilter, public IWindowHost {
public:
    // The window is made hidden, with a client area of exactly clientSize
    // whatever the menu bar and the theme take, and cannot be resized or
    // maximised. Its messages go to wnd.WindowProc; fnMainWindowGone runs once
    // the application's main window is gone. A window destroyed by another program
    // counts as destroyed by the game: its open boxes and dialogs end as if
    // cancelled (a save they were part of goes on), later ones return at once.
    CQtFrameHost(std::function<void()> fnMainWindowGone, CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                 const QSize& clientSize, UINT nMenuID);
    ~CQtFrameHost() override;

    // The top-level window and its client area, for tests and measurements.
    QWidget* GetWindow() const { return m_pWindow; }
    QWidget* GetClient() const { return m_pClient; }

    void ShowWindow(int nCmdShow) override;
    void UpdateWindow() override;
    void SetIcon(UINT nIconID, BOOL bBigIcon) override;
    void SetTimer(UINT_PTR nIDEvent, UINT nElapse) override;
    void KillTimer(UINT_PTR nIDEvent) override;
    void Invalidate(BOOL bErase) override;
    void PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc) override;
    int MessageBox(std::string_view text, std::string_view caption, UINT nType) override;
    std::unique_ptr<IDialogHost> CreateDialogHost(UINT nIDTemplate) override;
    void DestroyWindow() override;
    // The window is destroyed as if by another program: its open boxes and dialogs end as if cancelled.
    void OnWindowGone();

protected:
    // Turns the client area's and the window's events into window messages.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    // Hears the X server report the window destroyed.
    bool nativeEventFilter(const QByteArray& eventType, void* pMessage, qintptr* pResult) override;

private:
    void BuildMenu(UINT nMenuID);
    bool OnClientEvent(QEvent* pEvent);
    // Hands one message to the window; none after DestroyWindow.
    void Dispatch(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // A handler, box or dialog of the window has ended.
    void LeaveDispatch();
    // Once no handler of the window is running any more, the window object
    // is told that its window is gone.
    void QueueFinishDestroy();
    void FinishDestroy();

    std::function<void()> m_fnMainWindowGone;
    CWnd& m_wnd;
    QPointer<QWidget> m_pWindow;
    QWidget* m_pClient;
    std::map<UINT_PTR, std::unique_ptr<QTimer>> m_timers;
    QPainter* m_pPainter = nullptr; // set while a WM_PAINT is dispatched
    int m_nDispatchDepth = 0;       // handlers running, boxes and dialogs open
    bool m_bDestroyed = false;
    bool m_bFinishQueued = false;
};
