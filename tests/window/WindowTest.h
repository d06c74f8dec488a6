// Fixture of the window tests: the game's real frame, opened in a fresh directory with a fixed clock.
#pragma once

#include "CGameApp.h"
#include "QtFrameHost.h"
#include "Runtime.h"
#include "Wnd.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

class CBitmap;
class QAction;

class WindowTest : public testing::Test {
public:
    // fn runs on the next box or dialog that opens, inside its nested loop.
    static void OnNextModal(std::function<void(QWidget*)> fn);
    // Where a box or dialog takes keys: its focus widget.
    static QWidget* KeyTarget(QWidget* pModal) { return pModal->focusWidget() ? pModal->focusWidget() : pModal; }
    // A bitmap's 0xFFRRGGBB words as a picture.
    static QImage Picture(const CBitmap& bmp);

protected:
    void SetUp() override;
    void TearDown() override;

    // Runs InitInstance as the program does: the frame is shown and painted.
    void OpenFrame();
    CWnd* Frame() const { return theApp.m_pMainWnd; }
    QWidget* Window() const { return static_cast<CQtFrameHost*>(Frame()->GetHost())->GetWindow(); }
    QWidget* Client() const { return static_cast<CQtFrameHost*>(Frame()->GetHost())->GetClient(); }
    // The menu item with this text, on the bar or in a popup.
    QAction* MenuAction(const QString& text) const;
    // The Start command with its box answered by OK. The tick timer then
    // runs, but ticks arrive only while events are processed.
    void StartGame();
    // The client area rendered now (a paint of the back buffer), and what the
    // window system last received from the frame's paints.
    QImage ClientPicture() const { return Client()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage ScreenPicture() const;

private:
    // With this second a game that never steers survives 89 ticks, long
    // enough for the tests that let the real timer run.
    CFixedClockRuntime m_runtime{1000000};
    QTemporaryDir m_dir;
    QString m_strPreviousDir;
};
