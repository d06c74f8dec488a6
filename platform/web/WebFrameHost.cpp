// The frame window in the page: paints go to the canvas, the page's events become window messages.
#include "WebFrameHost.h"

#include "Bitmap.h"
#include "Cp932.h"
#include "PaintClip.h"
#include "Resources.h"
#include "WebDialogHost.h"
#include "WebWindowSystem.h"
#include "WinApp.h"
#include "Wnd.h"

#include <bit>

namespace {

constexpr WPARAM MK_LBUTTON = 0x0001;
// WM_KEYDOWN's lParam: repeat count 1; bit 30 set when the key was already down.
constexpr LPARAM KEY_REPEAT_COUNT = 1;
constexpr LPARAM KEY_WAS_DOWN = LPARAM(1) << 30;

LPARAM PointParam(int x, int y)
{
    return LPARAM(std::uint16_t(x)) | (LPARAM(std::uint16_t(y)) << 16);
}

// The bitmap's 0xFFRRGGBB words as the canvas's R, G, B, A bytes: on little-endian wasm, words 0xFFBBGGRR.
void ToRgba(const CBitmap& src, int x, int y, int cx, int cy, std::vector<std::uint32_t>& rgba)
{
    rgba.resize(std::size_t(cx) * std::size_t(cy));
    std::uint32_t* pOut = rgba.data();
    for (int row = y; row < y + cy; ++row) {
        const std::uint32_t* pIn = src.Bits() + std::size_t(row) * std::size_t(src.GetWidth()) + x;
        for (int col = 0; col < cx; ++col) {
            const std::uint32_t pixel = pIn[col];
            // Red and blue trade places: a half-word rotation brings each to the other's byte.
            *pOut++ = 0xFF000000U | (pixel & 0xFF00U) | (std::rotl(pixel, 16) & 0xFF00FFU);
        }
    }
}

} // namespace

CWebFrameHost::CWebFrameHost(CWebWindowSystem& system, CWnd& wnd, std::string_view title, int cx, int cy, UINT nMenuID)
    : m_system(system), m_wnd(wnd), m_cx(cx), m_cy(cy)
{
    vt_frame_create(Cp932ToUtf8(title).c_str(), cx, cy);
    BuildMenu(nMenuID);
}

CWebFrameHost::~CWebFrameHost()
{
    for (const UINT_PTR nID : m_timers)
        vt_kill_timer(int(nID));
    m_system.OnFrameGone(this);
}

void CWebFrameHost::BuildMenu(UINT nMenuID)
{
    for (const ResMenuItem& item : FindMenuResource(nMenuID)) {
        vt_menu_item(0, Cp932ToUtf8(item.text).c_str(), int(item.nID));
        for (const ResMenuItem& child : item.children)
            vt_menu_item(1, Cp932ToUtf8(child.text).c_str(), int(child.nID));
    }
}

void CWebFrameHost::ShowWindow(int nCmdShow)
{
    if (m_bDestroyed)
        return;
    m_bShown = nCmdShow != SW_HIDE;
    vt_frame_show(m_bShown ? 1 : 0);
}

void CWebFrameHost::UpdateWindow()
{
    if (!m_bDestroyed && m_bShown && m_bInvalid)
        Paint();
}

void CWebFrameHost::SetIcon(UINT nIconID, BOOL)
{
    CBitmap icon;
    if (!icon.LoadBitmap(nIconID))
        return;
    std::vector<std::uint32_t> rgba;
    ToRgba(icon, 0, 0, icon.GetWidth(), icon.GetHeight(), rgba);
    vt_set_icon(rgba.data(), icon.GetWidth(), icon.GetHeight());
}

void CWebFrameHost::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    if (m_bDestroyed)
        return;
    m_timers.insert(nIDEvent);
    vt_set_timer(int(nIDEvent), int(nElapse));
}

void CWebFrameHost::KillTimer(UINT_PTR nIDEvent)
{
    m_timers.erase(nIDEvent);
    vt_kill_timer(int(nIDEvent));
}

void CWebFrameHost::Invalidate(BOOL)
{
    if (m_bDestroyed)
        return;
    m_bInvalid = true;
    vt_request_paint();
}

void CWebFrameHost::PaintBitmap(const CBitmap& src, int x, int y, int cx, int cy, int xSrc, int ySrc)
{
    if (!m_bPainting || src.IsEmpty())
        return;
    SPaintBlock block{x, y, cx, cy, xSrc, ySrc};
    if (!ClipPaintBlock(block, m_cx, m_cy, src.GetWidth(), src.GetHeight()))
        return;
    ToRgba(src, block.xSrc, block.ySrc, block.cx, block.cy, m_rgba);
    vt_put_image(m_rgba.data(), block.cx, block.cy, block.x, block.y);
}

int CWebFrameHost::MessageBox(std::string_view text, std::string_view caption, UINT nType)
{
    if (m_bDestroyed)
        return IDCANCEL;
    return m_system.RunBox(text, caption, nType);
}

std::unique_ptr<IDialogHost> CWebFrameHost::CreateDialogHost(UINT nIDTemplate)
{
    const ResDialog* pRes = FindDialogResource(nIDTemplate);
    if (pRes == nullptr || m_bDestroyed)
        return nullptr;
    return std::make_unique<CWebDialogHost>(m_system, *this, *pRes, nIDTemplate);
}

void CWebFrameHost::DestroyWindow()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    for (const UINT_PTR nID : m_timers)
        vt_kill_timer(int(nID));
    m_timers.clear();
    vt_frame_show(0);
}

void CWebFrameHost::FinishDestroy()
{
    CWnd& wnd = m_wnd;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == &wnd)
        pApp->m_pMainWnd = nullptr;
    m_system.OnFrameGone(this);
    // A frame deletes itself here, and this host with it.
    wnd.PostNcDestroy();
}

void CWebFrameHost::OnEvent(const WebEvent& event)
{
    switch (event.kind) {
    case WebEventKind::Timer:
        if (m_timers.contains(UINT_PTR(event.a)))
            Dispatch(WM_TIMER, WPARAM(event.a));
        break;
    case WebEventKind::Paint:
        if (m_bInvalid && m_bShown)
            Paint();
        break;
    case WebEventKind::KeyDown:
        Dispatch(WM_KEYDOWN, WPARAM(event.a), KEY_REPEAT_COUNT | (event.b != 0 ? KEY_WAS_DOWN : 0));
        break;
    case WebEventKind::LButtonDown:
        Dispatch(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(event.a, event.b));
        break;
    case WebEventKind::LButtonDblClk:
        Dispatch(WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(event.a, event.b));
        break;
    case WebEventKind::Command:
        Dispatch(WM_COMMAND, WPARAM(event.a));
        break;
    default:
        break;
    }
}

void CWebFrameHost::Paint()
{
    m_bInvalid = false;
    m_bPainting = true;
    Dispatch(WM_PAINT);
    m_bPainting = false;
}

void CWebFrameHost::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bDestroyed)
        return;
    ++m_nDispatchDepth;
    m_wnd.WindowProc(message, wParam, lParam);
    --m_nDispatchDepth;
}
