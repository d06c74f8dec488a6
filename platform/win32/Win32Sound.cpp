// Crash sounds: looked up when prepared, started asynchronously when played.
#include "Win32Sound.h"

#include "Win32Audio.h"

void CWin32Sound::Prepare(const char* pszSound)
{
    if (pszSound != nullptr && !m_paths.contains(pszSound))
        m_paths[pszSound] = FindWaveFile(pszSound);
}

BOOL CWin32Sound::PlaySound(const char* pszSound, UINT)
{
    if (pszSound == nullptr)
        return FALSE;
    Prepare(pszSound);
    PlayWaveFile(m_paths[pszSound]);
    return TRUE;
}
