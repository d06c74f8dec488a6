// An edit control limited to code page 932 bytes: typed, pasted and composed text alike.
#pragma once

struct HWND__;

// From now on hEdit holds at most nBytes of code page 932 text (0: no limit) with no control characters and no
// character code page 932 lacks; whatever is refused beeps, and a paste keeps what fits.
void LimitNameEdit(HWND__* hEdit, int nBytes);
