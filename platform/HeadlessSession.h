// Makes the platform usable without a display, for tests and command-line tools.
#pragma once

#include <memory>

class QGuiApplication;

// While one exists, text can be drawn into bitmaps without a window system:
// it starts the font machinery on the offscreen platform unless an
// application object is already running. Create one near the top of main().
class CHeadlessSession {
public:
    CHeadlessSession();
    CHeadlessSession(const CHeadlessSession&) = delete;
    CHeadlessSession& operator=(const CHeadlessSession&) = delete;
    ~CHeadlessSession();

private:
    std::unique_ptr<QGuiApplication> m_pApp; // null when another one was already running
};
