// Dialogs from templates in the page: controls in dialog units, texts in code page 932, the modal loop.
#include "WebDialogHost.h"

#include "Bitmap.h"
#include "Cp932.h"
#include "Resources.h"
#include "WebBridge.h"
#include "WebFrameHost.h"
#include "WebWindowSystem.h"
#include "Wnd.h"

#include <vector>

namespace {

constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x00000001;

int KindOf(ResControlKind kind)
{
    switch (kind) {
    case ResControlKind::Edit:
        return 0;
    case ResControlKind::PushButton:
        return 1;
    case ResControlKind::Label:
        return 2;
    case ResControlKind::Icon:
        return 3;
    }
    return 2;
}

void ShowIcon(int nDlg, const ResControl& control)
{
    CBitmap icon;
    if (!icon.LoadBitmap(control.nIconID))
        return;
    std::vector<std::uint8_t> rgba;
    rgba.reserve(std::size_t(icon.GetWidth()) * std::size_t(icon.GetHeight()) * 4);
    for (int i = 0; i < icon.GetWidth() * icon.GetHeight(); ++i) {
        const std::uint32_t pixel = icon.Bits()[i];
        rgba.insert(rgba.end(), {std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel), 0xFF});
    }
    vt_dialog_icon(nDlg, control.x, control.y, rgba.data(), icon.GetWidth(), icon.GetHeight());
}

} // namespace

CWebDialogHost::CWebDialogHost(CWebWindowSystem& system, CWebFrameHost& owner, const ResDialog& res, UINT nIDTemplate)
    : m_system(system), m_owner(owner), m_nDlg(system.RegisterDialog(this))
{
    vt_dialog_create(m_nDlg, int(nIDTemplate), Cp932ToUtf8(res.caption).c_str(), res.cx, res.cy);
    for (const ResControl& control : res.controls) {
        if (control.kind == ResControlKind::Icon) {
            ShowIcon(m_nDlg, control);
            continue;
        }
        vt_dialog_control(m_nDlg, KindOf(control.kind), control.nID, control.x, control.y, control.cx, control.cy,
                          (control.dwStyle & BS_DEFPUSHBUTTON) != 0 ? 1 : 0, Cp932ToUtf8(control.text).c_str());
    }
}

CWebDialogHost::~CWebDialogHost()
{
    m_system.UnregisterDialog(m_nDlg);
    vt_dialog_remove(m_nDlg);
}

void CWebDialogHost::Attach(CWnd* pWnd)
{
    m_pWnd = pWnd;
}

std::string CWebDialogHost::GetDlgItemText(int nID)
{
    std::string text(256, '\0');
    int nLength = vt_dialog_get_text(m_nDlg, nID, text.data(), int(text.size()));
    if (nLength >= int(text.size())) {
        text.resize(std::size_t(nLength) + 1);
        nLength = vt_dialog_get_text(m_nDlg, nID, text.data(), int(text.size()));
    }
    text.resize(std::size_t(std::max(nLength, 0)));
    // The edit field takes only what code page 932 can hold, so nothing is lost here.
    return Utf8ToCp932(text).value_or(std::string());
}

void CWebDialogHost::SetDlgItemText(int nID, std::string_view text)
{
    vt_dialog_set_text(m_nDlg, nID, Cp932ToUtf8(text).c_str());
}

LRESULT CWebDialogHost::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM)
{
    if (message == EM_LIMITTEXT)
        vt_dialog_set_limit(m_nDlg, nID, int(wParam));
    return 0;
}

void CWebDialogHost::FocusFirstTabStop()
{
    vt_dialog_focus_first(m_nDlg);
}

INT_PTR CWebDialogHost::RunModalLoop()
{
    if (!m_bEnded) {
        vt_dialog_show(m_nDlg);
        m_system.RunModal([this] { return m_bEnded || m_owner.IsDestroyed(); });
    }
    // A window destroyed under the dialog ends it cancelled.
    if (!m_bEnded)
        m_nResult = IDCANCEL;
    vt_dialog_remove(m_nDlg);
    return m_nResult;
}

void CWebDialogHost::EndDialog(int nResult)
{
    m_bEnded = true;
    m_nResult = nResult;
}

void CWebDialogHost::OnButton(int nID)
{
    if (m_pWnd != nullptr && !m_bEnded)
        m_pWnd->WindowProc(WM_COMMAND, WPARAM(nID), 0);
}
