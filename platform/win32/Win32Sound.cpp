// Crash sounds: looked up when prepared, started asynchronously when played.
#include "Win32Sound.h"

#include "Win32Audio.h"

#include <thread>

void CWin32Sound::Prepare(const char* pszSound)
{
    if (pszSound == nullptr || m_paths.contains(pszSound))
        return;
    m_paths[pszSound] = FindWaveFile(pszSound);
    // Left to itself: the program never waits on the audio stack, not even at its end.
    if (m_bOutputOpened || m_paths[pszSound].empty())
        return;
    m_bOutputOpened = true;
    std::thread(OpenAudioOutput).detach();
}

BOOL CWin32Sound::PlaySound(const char* pszSound, UINT)
{
    if (pszSound == nullptr)
        return FALSE;
    Prepare(pszSound);
    PlayWaveFile(m_paths[pszSound]);
    return TRUE;
}
