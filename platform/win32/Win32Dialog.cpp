// Dialogs from the game's templates: a DLGTEMPLATE built in memory, in the template's font where it is installed.
#include "Win32Dialog.h"

#include "Resources.h"
#include "Win32Loop.h"
#include "Win32NameEdit.h"
#include "Win32Text.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// The predefined window classes by atom, as a template names them.
constexpr WORD CLASS_BUTTON = 0x0080;
constexpr WORD CLASS_EDIT = 0x0081;
constexpr WORD CLASS_STATIC = 0x0082;
constexpr WORD ORDINAL = 0xFFFF;
// Margins, in dialog units: beside a button's label and beside the dialog's edge.
constexpr int BUTTON_PADDING_DLU = 4;
constexpr int EDGE_MARGIN_DLU = 7;

// A template is a sequence of words, each item starting on a double word.
class CTemplateWriter {
public:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD dw)
    {
        Word(LOWORD(dw));
        Word(HIWORD(dw));
    }
    void Text(const std::wstring& text)
    {
        m_words.insert(m_words.end(), text.begin(), text.end());
        Word(0);
    }
    void Align()
    {
        if (m_words.size() % 2 != 0)
            Word(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    std::vector<WORD> m_words;
};

int CALLBACK OnFontFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<bool*>(lParam) = true;
    return 0;
}

bool IsFontInstalled(const std::wstring& face)
{
    LOGFONTW font{};
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    bool bFound = false;
    HDC hDC = GetDC(nullptr);
    EnumFontFamiliesExW(hDC, &font, &OnFontFamily, LPARAM(&bFound), 0);
    ReleaseDC(nullptr, hDC);
    return bFound;
}

// The template's font where it is installed, else the system's message font at its own size.
std::pair<std::wstring, WORD> DialogFont(const ResDialog& res)
{
    const std::wstring face = WideFromCp932(res.fontName);
    if (IsFontInstalled(face))
        return {face, WORD(res.nPointSize)};
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return {face, WORD(res.nPointSize)};
    HDC hDC = GetDC(nullptr);
    const int nDpi = GetDeviceCaps(hDC, LOGPIXELSY);
    ReleaseDC(nullptr, hDC);
    const int nPoints = MulDiv(std::abs(metrics.lfMessageFont.lfHeight), 72, nDpi);
    return {metrics.lfMessageFont.lfFaceName, WORD(nPoints > 0 ? nPoints : res.nPointSize)};
}

void WriteControl(CTemplateWriter& out, const ResControl& control)
{
    out.Align();
    out.Dword(control.dwStyle);
    out.Dword(0);
    for (const int n : {control.x, control.y, control.cx, control.cy})
        out.Word(WORD(n));
    out.Word(WORD(control.nID));
    out.Word(ORDINAL);
    switch (control.kind) {
    case ResControlKind::Edit:
        out.Word(CLASS_EDIT);
        break;
    case ResControlKind::PushButton:
        out.Word(CLASS_BUTTON);
        break;
    case ResControlKind::Label:
    case ResControlKind::Icon:
        out.Word(CLASS_STATIC);
        break;
    }
    if (control.kind == ResControlKind::Icon) {
        out.Word(ORDINAL);
        out.Word(WORD(control.nIconID));
    } else {
        out.Text(WideFromCp932(control.text));
    }
    out.Word(0); // no creation data
}

CTemplateWriter BuildTemplate(const ResDialog& res)
{
    CTemplateWriter out;
    // Hidden until the modal loop shows it; the font is the template's own.
    out.Dword((res.dwStyle & ~DWORD(WS_VISIBLE)) | DS_SETFONT);
    out.Dword(0);
    out.Word(WORD(res.controls.size()));
    for (const int n : {0, 0, res.cx, res.cy})
        out.Word(WORD(n));
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(WideFromCp932(res.caption));
    const auto [face, nPoints] = DialogFont(res);
    out.Word(nPoints);
    out.Text(face);
    for (const ResControl& control : res.controls)
        WriteControl(out, control);
    return out;
}

} // namespace

CWin32Dialog::CWin32Dialog(const ResDialog& res, HWND hOwner, std::function<void(int)> fnButton)
    : m_hOwner(hOwner), m_fnButton(std::move(fnButton))
{
    const CTemplateWriter tmpl = BuildTemplate(res);
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr), tmpl.Get(), hOwner, &CWin32Dialog::DialogProc, LPARAM(this));
    if (m_hDlg != nullptr)
        FitControls();
}

CWin32Dialog::~CWin32Dialog()
{
    if (m_hDlg != nullptr)
        DestroyWindow(m_hDlg);
}

INT_PTR CALLBACK CWin32Dialog::DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* pThis = reinterpret_cast<CWin32Dialog*>(lParam);
        pThis->m_hDlg = hDlg;
        SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        return FALSE;
    }
    auto* pThis = reinterpret_cast<CWin32Dialog*>(GetWindowLongPtrW(hDlg, DWLP_USER));
    if (pThis == nullptr)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            pThis->m_fnButton(LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        pThis->m_fnButton(IDCANCEL);
        return TRUE;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hDlg, DWLP_USER, 0);
        pThis->m_hDlg = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

// Labels and buttons grow to their text in the dialog's font, and the dialog to its controls: the font may be a
// stand-in that runs wider than the one the template was laid out for.
void CWin32Dialog::FitControls()
{
    RECT margins = {BUTTON_PADDING_DLU, 0, EDGE_MARGIN_DLU, 0};
    MapDialogRect(m_hDlg, &margins);
    HDC hDC = GetDC(m_hDlg);
    const HGDIOBJ hOldFont = SelectObject(hDC, HGDIOBJ(SendMessageW(m_hDlg, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(hDC, &metrics);
    RECT client{};
    GetClientRect(m_hDlg, &client);
    int nRight = client.right;
    for (HWND hCtrl = GetWindow(m_hDlg, GW_CHILD); hCtrl != nullptr; hCtrl = GetWindow(hCtrl, GW_HWNDNEXT)) {
        wchar_t szClass[16] = L"";
        GetClassNameW(hCtrl, szClass, 16);
        const bool bButton = lstrcmpiW(szClass, L"Button") == 0;
        if ((!bButton && lstrcmpiW(szClass, L"Static") != 0) || (GetWindowLongW(hCtrl, GWL_STYLE) & SS_ICON) != 0)
            continue;
        std::wstring text(std::size_t(GetWindowTextLengthW(hCtrl)) + 1, L'\0');
        text.resize(std::size_t(GetWindowTextW(hCtrl, text.data(), int(text.size()))));
        SIZE extent{};
        GetTextExtentPoint32W(hDC, text.c_str(), int(text.size()), &extent);
        RECT rect{};
        GetWindowRect(hCtrl, &rect);
        MapWindowPoints(nullptr, m_hDlg, reinterpret_cast<POINT*>(&rect), 2);
        const int cx = std::max(int(rect.right - rect.left), int(extent.cx) + (bButton ? 2 * int(margins.left) : 0));
        const int cy = std::max(int(rect.bottom - rect.top), int(metrics.tmHeight));
        SetWindowPos(hCtrl, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        nRight = std::max(nRight, int(rect.left + margins.right) + cx);
    }
    SelectObject(hDC, hOldFont);
    ReleaseDC(m_hDlg, hDC);
    if (nRight > client.right) {
        RECT window{};
        GetWindowRect(m_hDlg, &window);
        SetWindowPos(m_hDlg, nullptr, 0, 0, window.right - window.left + nRight - client.right,
                     window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

std::string CWin32Dialog::GetItemText(int nID) const
{
    HWND hCtrl = m_hDlg != nullptr ? GetDlgItem(m_hDlg, nID) : nullptr;
    if (hCtrl == nullptr)
        return {};
    std::wstring text(std::size_t(GetWindowTextLengthW(hCtrl)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(hCtrl, text.data(), int(text.size()))));
    // The name edit takes only what code page 932 can hold, so nothing is lost here.
    return Cp932FromWide(text).value_or(std::string());
}

void CWin32Dialog::SetItemText(int nID, std::string_view text)
{
    if (m_hDlg != nullptr)
        SetDlgItemTextW(m_hDlg, nID, WideFromCp932(text).c_str());
}

void CWin32Dialog::LimitItemText(int nID, int nBytes)
{
    HWND hEdit = m_hDlg != nullptr ? GetDlgItem(m_hDlg, nID) : nullptr;
    if (hEdit != nullptr)
        LimitNameEdit(hEdit, nBytes);
}

void CWin32Dialog::FocusFirstTabStop()
{
    if (m_hDlg != nullptr)
        m_hFocus = GetNextDlgTabItem(m_hDlg, nullptr, FALSE);
}

void CWin32Dialog::RunModal(const std::function<bool()>& bDone)
{
    if (m_hDlg == nullptr)
        return;
    // Centred on the owner, as a message box is.
    RECT owner{};
    RECT dialog{};
    GetWindowRect(m_hOwner, &owner);
    GetWindowRect(m_hDlg, &dialog);
    SetWindowPos(m_hDlg, nullptr, (owner.left + owner.right - (dialog.right - dialog.left)) / 2,
                 (owner.top + owner.bottom - (dialog.bottom - dialog.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(m_hOwner, FALSE);
    ShowWindow(m_hDlg, SW_SHOW);
    if (m_hFocus != nullptr)
        SendMessageW(m_hDlg, WM_NEXTDLGCTL, WPARAM(m_hFocus), TRUE);
    RunMessageLoop([this, &bDone] { return m_hDlg == nullptr || bDone(); }, m_hDlg);
    if (IsWindow(m_hOwner)) {
        // Enabled and activated before the dialog goes, so that the activation does not pass to another program.
        EnableWindow(m_hOwner, TRUE);
        SetActiveWindow(m_hOwner);
    }
    if (m_hDlg != nullptr)
        ShowWindow(m_hDlg, SW_HIDE);
}
