// The operations on the ranking table: load, save, sort and report.
#pragma once

#include "FileException.h"

#include <cstdint>
#include <optional>
#include <string>

// Raised by Save instead of overwriting a file that exists but could not be
// read at start-up; names the start-up error and says the file is kept.
class CRankFileKeptException : public CFileException {
public:
    explicit CRankFileKeptException(const CFileException& loadError);
};

// Every operation acts on the one table, g_rankTable.
class CRanking {
public:
    // Replaces the table's leading bytes by the content of "rank.vtd" (up to
    // 140 bytes, nothing validated, not sorted). When the file does not exist
    // it is created with the table as it stands. Never raises: when the file
    // exists but cannot be read, it is left untouched and the table keeps its
    // entries; that and a failure to create the file are described by
    // GetLoadProblem.
    void Load();
    // Writes the 140-byte table image at the start of "rank.vtd", creating the
    // file when missing and keeping any bytes beyond 140. Raises
    // CFileException when the file cannot be opened, written or closed, and
    // CRankFileKeptException when the last Load found it but could not read
    // it; the table is never changed.
    void Save();
    // Puts the table in ranking order (higher score first; on equal scores the
    // lower stage first) by an exchange procedure whose order of equal records
    // is part of the behaviour.
    void Sort();
    // Whether a game that ended with nScore earns a place: a score strictly
    // above that of the record the ranking order puts last.
    bool Qualifies(std::int32_t nScore) const;
    // Puts the new record in place of the one the ranking order puts last
    // (place 5 of a sorted table): the name's bytes up to its NUL and the NUL
    // (cut to fit the field), the score and the stage. The name field's bytes
    // behind the NUL and the reserved bytes stay as they were; the table is
    // not sorted.
    void PutRecord(const std::string& strName, std::int32_t nScore, std::int16_t nStage);
    // The ranking report in code page 932: a header and one line per place,
    // in the table's current order.
    std::string Format() const;

    // Empty when the last Load went well; otherwise a short English sentence
    // naming the file and the cause, for the player to read once.
    const std::string& GetLoadProblem() const { return m_strLoadProblem; }

private:
    std::string m_strLoadProblem;
    // Why the file found at the last Load could not be read; set, Save refuses.
    std::optional<CFileException> m_unreadError;
};
