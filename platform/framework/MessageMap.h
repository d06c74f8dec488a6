// Static message maps: tables binding messages and command ids to member handlers.
#pragma once

#include "WinTypes.h"

class CWnd;

// One entry: nMessage (and for WM_COMMAND the command id nID) calls pfn with
// the window and the message's parameters. A null pfn ends a table.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nID;
    void (*pfn)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The table macros are laid out by hand: each expands to one entry or one definition.
// clang-format off
#define DECLARE_MESSAGE_MAP()                                                                                      \
protected:                                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                             \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                \
    {                                                                                                              \
        using ThisClass = theClass;                                                                                \
        using TheBaseClass = baseClass;                                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                          \
    { 0, 0, nullptr }                                                                                              \
    }                                                                                                              \
    ;                                                                                                              \
    static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] };               \
    return &messageMap;                                                                                            \
    }

#define ON_WM_PAINT() { WM_PAINT, 0, [](CWnd* p, WPARAM, LPARAM) { static_cast<ThisClass*>(p)->OnPaint(); } },
#define ON_WM_TIMER()                                                                                              \
    { WM_TIMER, 0, [](CWnd* p, WPARAM w, LPARAM) { static_cast<ThisClass*>(p)->OnTimer(UINT_PTR(w)); } },
// lParam carries the repeat count in bits 0-15 and the flags in bits 16-31.
#define ON_WM_KEYDOWN()                                                                                            \
    { WM_KEYDOWN, 0, [](CWnd* p, WPARAM w, LPARAM l) {                                                             \
         static_cast<ThisClass*>(p)->OnKeyDown(UINT(w), UINT(l & 0xFFFF), UINT((l >> 16) & 0xFFFF));               \
     } },
// lParam carries the client position: x in bits 0-15, y in bits 16-31.
#define ON_WM_LBUTTONDOWN()                                                                                        \
    { WM_LBUTTONDOWN, 0, [](CWnd* p, WPARAM w, LPARAM l) {                                                         \
         static_cast<ThisClass*>(p)->OnLButtonDown(                                                                \
             UINT(w), POINT { int(short(l & 0xFFFF)), int(short((l >> 16) & 0xFFFF)) });                           \
     } },
#define ON_WM_LBUTTONDBLCLK()                                                                                      \
    { WM_LBUTTONDBLCLK, 0, [](CWnd* p, WPARAM w, LPARAM l) {                                                       \
         static_cast<ThisClass*>(p)->OnLButtonDblClk(                                                              \
             UINT(w), POINT { int(short(l & 0xFFFF)), int(short((l >> 16) & 0xFFFF)) });                           \
     } },
#define ON_COMMAND(id, memberFxn)                                                                                  \
    { WM_COMMAND, UINT(id), [](CWnd* p, WPARAM, LPARAM) { static_cast<ThisClass*>(p)->memberFxn(); } },
// clang-format on
