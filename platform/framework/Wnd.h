// A window of the game: routes messages through its message map and reaches
// the window system through its host.
#pragma once

#include "MessageMap.h"
#include "WinTypes.h"

#include <memory>
#include <string>
#include <string_view>

class IWindowHost;

class CWnd {
public:
    CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    // Every message from the host enters here: the message map's handler runs,
    // or DefWindowProc for unlisted messages. A CFileException escaping a
    // handler is reported in an error box and the program goes on.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Unlisted messages: WM_CLOSE destroys the window; others are ignored.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called by the host once the window is gone.
    virtual void PostNcDestroy();

    BOOL ShowWindow(int nCmdShow);
    void UpdateWindow();
    void SetIcon(UINT nIconID, BOOL bBigIcon);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);
    void InvalidateRect(const RECT* lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE) { InvalidateRect(nullptr, bErase); }
    // Code page 932 texts; a null caption takes the window's title.
    int MessageBox(const char* lpszText, const char* lpszCaption = nullptr, UINT nType = MB_OK);
    BOOL DestroyWindow();

    IWindowHost* GetHost() const { return m_pHost.get(); }

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    void AttachHost(std::unique_ptr<IWindowHost> pHost, std::string_view title);

private:
    const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT nID) const;

    std::unique_ptr<IWindowHost> m_pHost;
    std::string m_strTitle;
};
