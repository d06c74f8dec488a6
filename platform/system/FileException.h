// The error a failing file open, read, write or close raises; the window host reports it.
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

class CFileException : public std::runtime_error {
public:
    // nOsError is the errno value behind the failure; strReason, when given,
    // explains it better than the system's text for that value.
    CFileException(std::string fileName, int nOsError, std::string strReason = {})
        : std::runtime_error(fileName + ": " + (strReason.empty() ? std::strerror(nOsError) : strReason)),
          m_strFileName(std::move(fileName)), m_nOsError(nOsError),
          m_strReason(strReason.empty() ? std::strerror(nOsError) : std::move(strReason))
    {
    }

    const std::string& GetFileName() const { return m_strFileName; }
    int GetOsError() const { return m_nOsError; }
    // The cause in a few words, for a message to the player.
    const std::string& GetReason() const { return m_strReason; }

private:
    std::string m_strFileName;
    int m_nOsError;
    std::string m_strReason;
};
