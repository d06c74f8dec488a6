// Fixture of the window tests: the game's real frame, opened in a fresh directory with a fixed clock.
#pragma once

#include "Runtime.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

class CBitmap;
class CWnd;
class QAction;
class QWidget;

class WindowTest : public testing::Test {
public:
    // With this clock second a game that never steers survives 89 ticks,
    // long enough for the tests that let the real timer run.
    static constexpr std::time_t nSecond = 1000000;

    // fn runs on the next box or dialog that opens, inside its nested loop.
    static void OnNextModal(std::function<void(QWidget*)> fn);
    // Where a box or dialog takes keys: its focus widget.
    static QWidget* KeyTarget(QWidget* pModal);

protected:
    void SetUp() override;
    void TearDown() override;

    // Runs InitInstance as the program does: the frame is shown and painted.
    void OpenFrame();
    CWnd* Frame() const;
    QWidget* Window() const;
    QWidget* Client() const;
    // The menu item with this text, on the bar or in a popup.
    QAction* MenuAction(const QString& text) const;
    // The Start command with its box answered by OK. The tick timer then
    // runs, but ticks arrive only while events are processed.
    void StartGame();
    // The client area rendered now (a paint of the back buffer), and what the
    // window system last received from the frame's paints.
    QImage ClientPicture() const;
    QImage ScreenPicture() const;
    // A bitmap's 0xFFRRGGBB words as a picture to compare with those.
    static QImage Picture(const CBitmap& bmp);

private:
    CFixedClockRuntime m_runtime{nSecond};
    QTemporaryDir m_dir;
    QString m_strPreviousDir;
};
