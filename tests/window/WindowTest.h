// Fixture of the window tests: the game's real frame, opened in a fresh directory with a fixed clock.
#pragma once

#include "CGameApp.h"
#include "MainFrame.h"
#include "QtFrameHost.h"
#include "QtResourceImage.h"
#include "QtWindowSystem.h"
#include "TestScene.h"
#include "Wnd.h"

#include <QAction>
#include <QImage>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

class WindowTest : public testing::Test {
public:
    static CQtWindowSystem* s_pWindowSystem; // made by main, with the application
    // fn runs on the next box or dialog that opens, inside its nested loop.
    static void OnNextModal(std::function<void(QWidget*)> fn);
    // Where a box or dialog takes keys: its focus widget.
    static QWidget* KeyTarget(QWidget* pModal) { return pModal->focusWidget() ? pModal->focusWidget() : pModal; }
    static QImage Picture(const CBitmap& bmp) { return BitmapImage(bmp).copy(); }

protected:
    void TearDown() override;

    virtual IWindowSystem& WindowSystem() { return *s_pWindowSystem; }
    // Opens the frame as InitInstance does, on the fixture's window system and clock: shown and painted.
    void OpenFrame()
    {
        ASSERT_TRUE(theApp.ShowMainFrame(new CMainFrame(WindowSystem(), m_scene.m_clock)));
        QTest::qWait(10); // the window system shows and activates the window
    }
    CWnd* Frame() const { return theApp.m_pMainWnd; }
    QWidget* Window() const { return static_cast<CQtFrameHost*>(Frame()->GetHost())->GetWindow(); }
    QWidget* Client() const { return static_cast<CQtFrameHost*>(Frame()->GetHost())->GetClient(); }
    QAction* MenuAction(const QString& text) const
    {
        for (QAction* pAction : Window()->findChildren<QAction*>())
            if (pAction->text() == text)
                return pAction;
        return nullptr;
    }
    // The Start command with its box answered by OK; ticks then arrive only while events are processed.
    void StartGame()
    {
        QString text;
        OnNextModal([&text](QWidget* pBox) {
            text = static_cast<QMessageBox*>(pBox)->text();
            QTest::keyClick(KeyTarget(pBox), Qt::Key_Return);
        });
        MenuAction("Start(&S)")->trigger();
        ASSERT_EQ(text, "Hit anykey to Start!");
    }
    // The client area rendered now (a paint of the back buffer), and what the screen last received from paints.
    QImage ClientPicture() const { return Client()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage ScreenPicture() const;
    QImage ReadyField() const { return Picture(m_scene.m_field); }

    // With this second a game that never steers survives 89 ticks, long enough for tests on the real timer.
    CTestScene m_scene{1000000};
};
