// The page's side of the browser back end: the functions the JavaScript library gives the C++ code, and the
// events it queues for the message loop. Texts crossing here are UTF-8.
#pragma once

#include <cstdint>

// What the page queued; a, b, c by kind.
enum class WebEventKind : std::int32_t {
    None = 0,
    Timer = 1,       // a: timer id
    Paint = 2,       // a display frame came while the window was invalid
    KeyDown = 3,     // a: virtual-key code, b: 1 when the key was already down
    LButtonDown = 4, // a, b: client coordinates
    LButtonDblClk = 5,
    Command = 6,   // a: menu command id
    BoxEnd = 7,    // a: box id, b: IDOK or IDCANCEL
    DialogEnd = 8, // a: dialog id, b: IDOK or IDCANCEL (button, Enter, Escape, close)
};

struct WebEvent {
    WebEventKind kind;
    std::int32_t a;
    std::int32_t b;
    std::int32_t c;
};

extern "C" {
// Suspends the program (Asyncify) until the page has an event, then returns it.
void vt_wait_event(WebEvent* pEvent);

void vt_frame_create(const char* pszTitle, int cx, int cy);
void vt_frame_show(int bShow);
void vt_frame_closed();
// Menu bar: top-level items (nLevel 0) and the items of the last popup (nLevel 1); nID 0 opens a popup.
void vt_menu_item(int nLevel, const char* pszText, int nID);
// Pixels are words whose bytes in memory are R, G, B, A (see ToRgba).
void vt_set_icon(const std::uint32_t* pRgba, int cx, int cy);
// cx x cy pixels to client position x, y.
void vt_put_image(const std::uint32_t* pRgba, int cx, int cy, int x, int y);
// Asks for a Paint event at the next display frame.
void vt_request_paint();
void vt_set_timer(int nID, int nElapse);
void vt_kill_timer(int nID);

void vt_box_open(int nBox, const char* pszText, const char* pszCaption, int nType);
void vt_box_close(int nBox);

void vt_dialog_create(int nDlg, int nTemplate, const char* pszCaption, int cx, int cy);
// nKind: 0 edit, 1 push button, 2 label, 3 icon (its pixels given by vt_dialog_icon).
void vt_dialog_control(int nDlg, int nKind, int nID, int x, int y, int cx, int cy, int bDefault, const char* pszText);
void vt_dialog_icon(int nDlg, int x, int y, const std::uint8_t* pRgba, int cx, int cy);
// Copies the control's text, NUL-terminated, into the buffer; returns its length, or the length it needs.
int vt_dialog_get_text(int nDlg, int nID, char* pBuffer, int nSize);
void vt_dialog_set_text(int nDlg, int nID, const char* pszText);
void vt_dialog_set_limit(int nDlg, int nID, int nBytes);
void vt_dialog_focus_first(int nDlg);
void vt_dialog_show(int nDlg);
void vt_dialog_remove(int nDlg);

void vt_sound_prepare(const char* pszFile);
void vt_sound_play(const char* pszFile);

// The query's seed: 1 and *pSeed when ?seed=N names one, else 0.
int vt_query_seed(std::uint32_t* pSeed);
// Tells the page the field's seed, for its link.
void vt_show_seed(std::uint32_t seed);
}
