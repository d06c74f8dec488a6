// The error a failing file open, read, write or close raises; the window host reports it.
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

class CFileException : public std::runtime_error {
public:
    // Stands for the OS error when a name exists but is not a regular file,
    // which the read mode refuses (a directory, a named pipe, a device).
    static constexpr int notRegularFile = -1;
    // Stands for a refusal to overwrite a file whose content was never read,
    // so that records the program could not see are not lost.
    static constexpr int keptUnread = -2;

    CFileException(std::string fileName, int nOsError)
        : std::runtime_error(fileName + ": " + Describe(nOsError)), m_strFileName(std::move(fileName)),
          m_nOsError(nOsError)
    {
    }

    const std::string& GetFileName() const { return m_strFileName; }
    // The errno value behind the failure, notRegularFile or keptUnread.
    int GetOsError() const { return m_nOsError; }
    // The cause in a few words, for a message to the player.
    std::string GetReason() const { return Describe(m_nOsError); }

private:
    static std::string Describe(int nOsError)
    {
        if (nOsError == notRegularFile)
            return "not a regular file";
        if (nOsError == keptUnread)
            return "Not saved: it could not be read at start-up and is kept as it was";
        return std::strerror(nOsError);
    }

    std::string m_strFileName;
    int m_nOsError;
};
