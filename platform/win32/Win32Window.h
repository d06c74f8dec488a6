// The frame's Win32 window: class, menu, icon, exact client size, timers and the paint of the game's pixels.
#pragma once

#include <cstdint>
#include <string_view>

struct HDC__;
struct HWND__;

// What the window hears, in Windows' own message numbers (the game's are the same).
class IWin32WindowEvents {
public:
    virtual ~IWin32WindowEvents() = default;
    // A key, click, menu command, close request, timer or paint (inside BeginPaint and EndPaint) for the game.
    virtual void OnWindowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // The window is being destroyed (by the game or by anything else).
    virtual void OnWindowDestroyed() = 0;
    // The session ends once this returns: the last moment to save.
    virtual void OnSessionEnd() = 0;
};

class CWin32Window {
public:
    // A hidden, fixed-size window whose client area is exactly cx x cy with the menu nMenuID (from the game's
    // resources) above it; dwStyle in Windows' bits. IsValid is false when Windows refused it.
    CWin32Window(IWin32WindowEvents& events, std::string_view title, std::uint32_t dwStyle, int cx, int cy,
                 unsigned nMenuID);
    ~CWin32Window();
    CWin32Window(const CWin32Window&) = delete;
    CWin32Window& operator=(const CWin32Window&) = delete;

    bool IsValid() const { return m_hWnd != nullptr; }
    HWND__* GetHandle() const { return m_hWnd; }
    void Show(bool bShow);
    void Update();
    // The embedded icon nIconID, large and small.
    void SetIcon(unsigned nIconID);
    void SetTimer(std::uintptr_t nID, unsigned nElapse);
    void KillTimer(std::uintptr_t nID);
    void Invalidate();
    // During a paint only: a block of 0xFFRRGGBB pixels (nWidth per row, nHeight rows), clipped to both.
    void PaintPixels(const std::uint32_t* pBits, int nWidth, int nHeight, int x, int y, int cx, int cy, int xSrc,
                     int ySrc);
    void Destroy();

private:
    static std::intptr_t __stdcall WindowProc(HWND__* hWnd, unsigned message, std::uintptr_t wParam,
                                              std::intptr_t lParam);
    std::intptr_t OnMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    void Paint();
    void FitClientArea(int cx, int cy);

    IWin32WindowEvents& m_events;
    HWND__* m_hWnd = nullptr;
    HDC__* m_hPaintDC = nullptr; // while a WM_PAINT is handed on
    int m_cxClient;
    int m_cyClient;
};
