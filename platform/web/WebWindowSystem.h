// The browser as a window system: one frame window in the page, its boxes and dialogs, and the message loop.
#pragma once

#include "WebBridge.h"
#include "WebSound.h"
#include "WindowSystem.h"

#include <functional>
#include <map>

class CWebFrameHost;
class CWebDialogHost;

// Every loop, the outer one and each modal one, waits on the page for the
// next event and dispatches it; a modal loop opened inside a handler nests.
class CWebWindowSystem : public IWindowSystem {
public:
    std::unique_ptr<IWindowHost> CreateFrameHost(CWnd& wnd, std::string_view title, std::uint32_t dwStyle,
                                                 const RECT& rect, UINT nMenuID) override;
    int GetSystemMetrics(int nIndex) override;
    ISound& GetSound() override { return m_sound; }
    int Run() override;

    // Dispatches events until bDone says so.
    void RunUntil(const std::function<bool()>& bDone);
    // The same for a box or dialog: the frame hears no keys, clicks or commands meanwhile.
    void RunModal(const std::function<bool()>& bDone);
    // A modal box over the frame; IDOK or IDCANCEL.
    int RunBox(std::string_view text, std::string_view caption, UINT nType);
    // Dialogs hear their buttons while they are registered.
    int RegisterDialog(CWebDialogHost* pDialog);
    void UnregisterDialog(int nDlg);

    void OnFrameGone(const CWebFrameHost* pFrame);

private:
    void Dispatch(const WebEvent& event);

    CWebSound m_sound;
    CWebFrameHost* m_pFrame = nullptr;
    bool m_bMainWindowGone = false;
    // Open boxes by id, with their result once ended (0 while open).
    std::map<int, int> m_boxes;
    std::map<int, CWebDialogHost*> m_dialogs;
    int m_nNextId = 1;
    int m_nModalDepth = 0;
};
