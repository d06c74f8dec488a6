// The name edit: a subclass that checks the text after every change, since EM_LIMITTEXT counts UTF-16 units.
#include "Win32NameEdit.h"

#include "Win32Text.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr UINT_PTR SUBCLASS_ID = 1;
// The edit's limit, found again when it is set a second time.
constexpr const wchar_t* LIMIT_PROPERTY = L"VantrelByteLimit";
constexpr wchar_t FIRST_PRINTABLE = 0x20;
constexpr wchar_t DELETE_CHAR = 0x7F;
constexpr wchar_t BACKSPACE = 0x08;
// Ctrl+A, C, V, X and Z reach the edit as these characters: commands, not text.
constexpr std::wstring_view EDIT_COMMANDS = L"\x01\x03\x16\x18\x1A";
// Enter, Escape and Tab belong to the dialog.
constexpr std::wstring_view DIALOG_KEYS = L"\r\x1B\t";

struct CLimit {
    int nBytes = 0;
    std::wstring kept; // the text as last checked
    bool bChecking = false;
};

struct CFiltered {
    std::wstring text;
    int nCursor = 0;
    bool bRefused = false;
};

// Control characters and characters code page 932 cannot hold go, then, while the text is over nLimit bytes, the
// characters just before the cursor (so a paste keeps what fits); the cursor in UTF-16 units.
CFiltered FilterName(const std::wstring& text, int nCursor, int nLimit)
{
    struct CChar {
        std::wstring units;
        int nBytes;
    };
    std::vector<CChar> kept;
    CFiltered result;
    int nBytes = 0;
    int nCursorChars = 0;
    for (std::size_t at = 0; at < text.size();) {
        const bool bPair = IS_HIGH_SURROGATE(text[at]) && at + 1 < text.size() && IS_LOW_SURROGATE(text[at + 1]);
        const std::wstring units = text.substr(at, bPair ? 2 : 1);
        const bool bBeforeCursor = int(at) < nCursor;
        at += units.size();
        const std::size_t nCharBytes = units[0] < FIRST_PRINTABLE || units[0] == DELETE_CHAR
                                           ? 0
                                           : Cp932FromWide(units).value_or(std::string()).size();
        if (nCharBytes == 0) {
            result.bRefused = true;
            continue;
        }
        nBytes += int(nCharBytes);
        nCursorChars += bBeforeCursor ? 1 : 0;
        kept.push_back({units, int(nCharBytes)});
    }
    while (nLimit > 0 && nBytes > nLimit && nCursorChars > 0) {
        --nCursorChars;
        nBytes -= kept[std::size_t(nCursorChars)].nBytes;
        kept.erase(kept.begin() + nCursorChars);
        result.bRefused = true;
    }
    for (int i = 0; i < int(kept.size()); ++i) {
        result.text += kept[std::size_t(i)].units;
        if (i < nCursorChars)
            result.nCursor += int(kept[std::size_t(i)].units.size());
    }
    return result;
}

std::wstring EditText(HWND hEdit)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(hEdit)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(hEdit, text.data(), int(text.size()))));
    return text;
}

void CheckText(HWND hEdit, CLimit& limit)
{
    std::wstring text = EditText(hEdit);
    if (text == limit.kept)
        return;
    DWORD nCursor = 0;
    SendMessageW(hEdit, EM_GETSEL, 0, LPARAM(&nCursor));
    const CFiltered filtered = FilterName(text, int(nCursor), limit.nBytes);
    limit.kept = filtered.text;
    if (filtered.text != text) {
        SetWindowTextW(hEdit, filtered.text.c_str());
        SendMessageW(hEdit, EM_SETSEL, WPARAM(filtered.nCursor), LPARAM(filtered.nCursor));
    }
    if (filtered.bRefused)
        MessageBeep(MB_OK);
}

bool MayChangeText(UINT message)
{
    switch (message) {
    case WM_CHAR:
    case WM_PASTE:
    case WM_SETTEXT:
    case WM_UNDO:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case EM_REPLACESEL:
    case EM_UNDO:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK EditProc(HWND hEdit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto& limit = *reinterpret_cast<CLimit*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hEdit, &EditProc, SUBCLASS_ID);
        RemovePropW(hEdit, LIMIT_PROPERTY);
        delete &limit;
        return DefSubclassProc(hEdit, message, wParam, lParam);
    }
    // A control character other than Backspace or an edit command is refused before the edit sees it.
    const auto ch = wchar_t(wParam);
    if (message == WM_CHAR && ch < FIRST_PRINTABLE && ch != BACKSPACE && EDIT_COMMANDS.find(ch) == EDIT_COMMANDS.npos) {
        if (DIALOG_KEYS.find(ch) == DIALOG_KEYS.npos)
            MessageBeep(MB_OK);
        return 0;
    }
    const LRESULT lResult = DefSubclassProc(hEdit, message, wParam, lParam);
    if (!limit.bChecking && MayChangeText(message)) {
        limit.bChecking = true;
        CheckText(hEdit, limit);
        limit.bChecking = false;
    }
    return lResult;
}

} // namespace

void LimitNameEdit(HWND hEdit, int nBytes)
{
    if (auto* pLimit = static_cast<CLimit*>(GetPropW(hEdit, LIMIT_PROPERTY))) {
        pLimit->nBytes = nBytes;
        return;
    }
    auto* pLimit = new CLimit{nBytes, EditText(hEdit), false};
    if (!SetWindowSubclass(hEdit, &EditProc, SUBCLASS_ID, DWORD_PTR(pLimit))) {
        delete pLimit;
        return;
    }
    SetPropW(hEdit, LIMIT_PROPERTY, pLimit);
}
