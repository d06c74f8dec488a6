// Starts a GUI application object on the offscreen platform so that fonts work without a display.
#include "HeadlessSession.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

// QGuiApplication keeps references to its argument vector for its whole life.
int g_nArgc = 1;
char g_szProgram[] = "vantrel-headless";
char* g_argv[] = {g_szProgram, nullptr};

} // namespace

CHeadlessSession::CHeadlessSession()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    // Forced rather than defaulted so that a DISPLAY in the environment cannot
    // pull in a window system connection.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    m_pApp = std::make_unique<QGuiApplication>(g_nArgc, g_argv);
}

CHeadlessSession::~CHeadlessSession() = default;
