// The sound interface over the page's Web Audio player.
#include "WebSound.h"

#include "WebBridge.h"

void CWebSound::Prepare(const char* pszSound)
{
    if (pszSound != nullptr)
        vt_sound_prepare(pszSound);
}

BOOL CWebSound::PlaySound(const char* pszSound, UINT)
{
    if (pszSound == nullptr)
        return FALSE;
    vt_sound_play(pszSound);
    return TRUE;
}
