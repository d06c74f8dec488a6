// Crash sounds: looked up when prepared, started asynchronously when played.
#include "Win32Sound.h"

#include "Win32Audio.h"

CWin32Sound::~CWin32Sound()
{
    if (m_opener.joinable())
        m_opener.join();
}

void CWin32Sound::Prepare(const char* pszSound)
{
    if (pszSound == nullptr || m_paths.contains(pszSound))
        return;
    m_paths[pszSound] = FindWaveFile(pszSound);
    if (!m_opener.joinable() && !m_paths[pszSound].empty())
        m_opener = std::thread(OpenAudioOutput);
}

BOOL CWin32Sound::PlaySound(const char* pszSound, UINT)
{
    if (pszSound == nullptr)
        return FALSE;
    Prepare(pszSound);
    PlayWaveFile(m_paths[pszSound]);
    return TRUE;
}
