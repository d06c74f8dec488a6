// Message boxes: MessageBoxW with a message-filter hook that copies the open box as Windows' own Ctrl+C lays it out.
#include "Win32MessageBox.h"

#include "Win32Text.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// The box a key may copy: the innermost open one.
struct OpenBox {
    std::wstring caption;
    std::wstring text;
};
std::vector<OpenBox> g_openBoxes;
HHOOK g_hFilterHook = nullptr;

constexpr const wchar_t* CLIPBOARD_RULE = L"---------------------------\r\n";
constexpr const wchar_t* BUTTON_GAP = L"   ";

// The buttons' labels as the box shows them, without their mnemonic marks.
std::wstring ButtonLabels(HWND hBox)
{
    std::wstring labels;
    for (HWND hChild = GetWindow(hBox, GW_CHILD); hChild != nullptr; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        wchar_t szClass[16] = L"";
        GetClassNameW(hChild, szClass, 16);
        if (lstrcmpiW(szClass, L"Button") != 0)
            continue;
        wchar_t szLabel[64] = L"";
        GetWindowTextW(hChild, szLabel, 64);
        for (const wchar_t* p = szLabel; *p != L'\0'; ++p) {
            if (*p != L'&')
                labels += *p;
        }
        labels += BUTTON_GAP;
    }
    return labels;
}

void CopyBox(HWND hBox, const OpenBox& box)
{
    const std::wstring copy = std::wstring(CLIPBOARD_RULE) + box.caption + L"\r\n" + CLIPBOARD_RULE + box.text +
                              L"\r\n" + CLIPBOARD_RULE + ButtonLabels(hBox) + L"\r\n" + CLIPBOARD_RULE;
    const std::size_t nBytes = (copy.size() + 1) * sizeof(wchar_t);
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, nBytes);
    if (hMem == nullptr)
        return;
    CopyMemory(GlobalLock(hMem), copy.c_str(), nBytes);
    GlobalUnlock(hMem);
    if (!OpenClipboard(hBox)) {
        GlobalFree(hMem);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, hMem) == nullptr)
        GlobalFree(hMem);
    CloseClipboard();
}

// Sees the keys of the box's own loop. The key goes on afterwards, so where Windows copies the box itself, its
// copy is the one that stays.
LRESULT CALLBACK FilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == MSGF_DIALOGBOX && pMsg->message == WM_KEYDOWN && pMsg->wParam == 'C' && GetKeyState(VK_CONTROL) < 0 &&
        !g_openBoxes.empty())
        CopyBox(GetAncestor(pMsg->hwnd, GA_ROOT), g_openBoxes.back());
    return CallNextHookEx(g_hFilterHook, nCode, wParam, lParam);
}

} // namespace

int RunMessageBox(HWND hOwner, std::string_view text, std::string_view caption, unsigned nType)
{
    HWND hOver = hOwner != nullptr ? GetLastActivePopup(hOwner) : nullptr;
    // Copied: a box opened under this one grows the list.
    const OpenBox box = {WideFromCp932(caption), WideFromCp932(text)};
    g_openBoxes.push_back(box);
    if (g_hFilterHook == nullptr)
        g_hFilterHook = SetWindowsHookExW(WH_MSGFILTER, &FilterHook, nullptr, GetCurrentThreadId());
    const int nResult = MessageBoxW(hOver, box.text.c_str(), box.caption.c_str(), nType);
    g_openBoxes.pop_back();
    if (g_openBoxes.empty() && g_hFilterHook != nullptr) {
        UnhookWindowsHookEx(g_hFilterHook);
        g_hFilterHook = nullptr;
    }
    return nResult;
}
