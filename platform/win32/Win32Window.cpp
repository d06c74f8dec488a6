// The frame's Win32 window: its messages go to the game, its paint copies the game's pixels without erasing first.
#include "Win32Window.h"

#include "PaintClip.h"
#include "Resources.h"
#include "Win32Text.h"

#include <windows.h>

namespace {

constexpr const wchar_t* FRAME_CLASS = L"VantrelFrame";
// The sunken edge round the client area that the game's outer size allows for.
constexpr DWORD FRAME_EX_STYLE = WS_EX_CLIENTEDGE;

ATOM RegisterFrameClass(WNDPROC pfnWndProc)
{
    static const ATOM atom = [pfnWndProc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        // Double-clicks arrive as such, as the game expects; no background brush, so nothing is ever erased.
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = pfnWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        wc.lpszClassName = FRAME_CLASS;
        return RegisterClassExW(&wc);
    }();
    return atom;
}

HMENU BuildMenu(unsigned nMenuID)
{
    const std::span<const ResMenuItem> items = FindMenuResource(nMenuID);
    if (items.empty())
        return nullptr;
    HMENU hBar = CreateMenu();
    for (const ResMenuItem& item : items) {
        const std::wstring text = WideFromCp932(item.text);
        if (item.children.empty()) {
            AppendMenuW(hBar, MF_STRING, item.nID, text.c_str());
            continue;
        }
        HMENU hPopup = CreatePopupMenu();
        for (const ResMenuItem& child : item.children)
            AppendMenuW(hPopup, MF_STRING, child.nID, WideFromCp932(child.text).c_str());
        AppendMenuW(hBar, MF_POPUP, UINT_PTR(hPopup), text.c_str());
    }
    return hBar;
}

} // namespace

CWin32Window::CWin32Window(IWin32WindowEvents& events, std::string_view title, std::uint32_t dwStyle, int cx, int cy,
                           unsigned nMenuID)
    : m_events(events), m_cxClient(cx), m_cyClient(cy)
{
    if (RegisterFrameClass(&CWin32Window::WindowProc) == 0)
        return;
    HMENU hMenu = BuildMenu(nMenuID);
    RECT rect = {0, 0, cx, cy};
    AdjustWindowRectEx(&rect, dwStyle, hMenu != nullptr, FRAME_EX_STYLE);
    CreateWindowExW(FRAME_EX_STYLE, FRAME_CLASS, WideFromCp932(title).c_str(), dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    rect.right - rect.left, rect.bottom - rect.top, nullptr, hMenu, GetModuleHandleW(nullptr), this);
    if (m_hWnd == nullptr) {
        if (hMenu != nullptr)
            DestroyMenu(hMenu);
        return;
    }
    FitClientArea(cx, cy);
}

CWin32Window::~CWin32Window()
{
    Destroy();
}

// A menu bar that wraps onto a second line, or a theme's odd frame, leaves AdjustWindowRectEx's sum short: the
// window grows by whatever the client area still lacks.
void CWin32Window::FitClientArea(int cx, int cy)
{
    RECT client{};
    RECT window{};
    GetClientRect(m_hWnd, &client);
    GetWindowRect(m_hWnd, &window);
    const int dx = cx - (client.right - client.left);
    const int dy = cy - (client.bottom - client.top);
    if (dx != 0 || dy != 0)
        SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWin32Window::Show(bool bShow)
{
    if (m_hWnd == nullptr)
        return;
    ShowWindow(m_hWnd, bShow ? SW_SHOWNORMAL : SW_HIDE);
    if (bShow)
        SetForegroundWindow(m_hWnd);
}

void CWin32Window::Update()
{
    if (m_hWnd != nullptr)
        UpdateWindow(m_hWnd);
}

void CWin32Window::SetIcon(unsigned nIconID)
{
    if (m_hWnd == nullptr)
        return;
    // Shared icons are the module's own and are never freed.
    const auto load = [nIconID](int nMetric) {
        return LPARAM(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIconID), IMAGE_ICON,
                                 GetSystemMetrics(nMetric), GetSystemMetrics(nMetric), LR_SHARED));
    };
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, load(SM_CXICON));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, load(SM_CXSMICON));
}

void CWin32Window::SetTimer(std::uintptr_t nID, unsigned nElapse)
{
    if (m_hWnd != nullptr)
        ::SetTimer(m_hWnd, nID, nElapse, nullptr);
}

void CWin32Window::KillTimer(std::uintptr_t nID)
{
    if (m_hWnd != nullptr)
        ::KillTimer(m_hWnd, nID);
}

void CWin32Window::Invalidate()
{
    if (m_hWnd != nullptr)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CWin32Window::PaintPixels(const std::uint32_t* pBits, int nWidth, int nHeight, int x, int y, int cx, int cy,
                               int xSrc, int ySrc)
{
    if (m_hPaintDC == nullptr || pBits == nullptr)
        return;
    SPaintBlock block{x, y, cx, cy, xSrc, ySrc};
    if (!ClipPaintBlock(block, m_cxClient, m_cyClient, nWidth, nHeight))
        return;
    // The bitmap's rows from the block's first on, as a top-down DIB of the block's height: its 0xFFRRGGBB words
    // are the DIB's B, G, R, X bytes as they stand.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -block.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(m_hPaintDC, block.x, block.y, DWORD(block.cx), DWORD(block.cy), block.xSrc, 0, 0, UINT(block.cy),
                      pBits + std::size_t(block.ySrc) * std::size_t(nWidth), &info, DIB_RGB_COLORS);
}

void CWin32Window::Destroy()
{
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CWin32Window::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* pThis = static_cast<CWin32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        pThis->m_hWnd = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, LONG_PTR(pThis));
    }
    auto* pThis = reinterpret_cast<CWin32Window*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pThis == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    return pThis->OnMessage(message, wParam, lParam);
}

LRESULT CWin32Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_TIMER:
    case WM_CLOSE:
        m_events.OnWindowMessage(message, wParam, lParam);
        return 0;
    case WM_COMMAND:
        // Menu items only (no accelerators, no controls): the item's id.
        if (HIWORD(wParam) == 0 && lParam == 0)
            m_events.OnWindowMessage(message, LOWORD(wParam), 0);
        return 0;
    case WM_ENDSESSION:
        if (wParam != 0)
            m_events.OnSessionEnd();
        return 0;
    case WM_DESTROY:
        m_events.OnWindowDestroyed();
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        return 0;
    default:
        return DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}

void CWin32Window::Paint()
{
    PAINTSTRUCT ps{};
    HDC hDC = BeginPaint(m_hWnd, &ps);
    m_hPaintDC = hDC;
    m_events.OnWindowMessage(WM_PAINT, 0, 0);
    m_hPaintDC = nullptr;
    EndPaint(m_hWnd, &ps);
}
