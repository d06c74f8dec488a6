// The error a failing file write or close raises; the window host reports it.
#pragma once

#include <stdexcept>
#include <string>

class CFileException : public std::runtime_error {
public:
    CFileException(std::string fileName, int nOsError)
        : std::runtime_error("file error on " + fileName), m_strFileName(std::move(fileName)), m_nOsError(nOsError)
    {
    }

    const std::string& GetFileName() const { return m_strFileName; }
    // The errno value behind the failure, 0 when none was reported.
    int GetOsError() const { return m_nOsError; }

private:
    std::string m_strFileName;
    int m_nOsError;
};
