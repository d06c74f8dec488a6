// Fixture of the window tests: the game's real frame, opened in a fresh directory with a fixed clock.
#pragma once

#include "Runtime.h"

#include <QEvent>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

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
    // Presses Escape in every open box and dialog until none is left.
    static void CloseAllModals();
    // A key press as the window system delivers it to the widget with the focus.
    static void PressKey(QWidget* pTarget, int nKey, const QString& text = {}, bool bAutoRepeat = false,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void SendMouse(QWidget* pTarget, QEvent::Type type);
    // Spins the event loop for nMs milliseconds.
    static void Wait(int nMs);

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
    // The frame's client area rendered now (a paint of the back buffer).
    QImage ClientPicture() const;
    // What the window system last received from the frame's paints.
    QImage ScreenPicture() const;

private:
    CFixedClockRuntime m_runtime{nSecond};
    IRuntime* m_pPreviousRuntime = nullptr;
    QTemporaryDir m_dir;
    QString m_strPreviousDir;
};

// Pixels of a picture against a 640 x 400 bitmap's 0xFFRRGGBB words; the
// first difference is reported.
testing::AssertionResult SamePixels(const QImage& picture, const class CBitmap& expected);
