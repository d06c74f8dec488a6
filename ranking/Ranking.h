// The operations on the ranking table: load, save, sort and report.
#pragma once

#include <string>

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
    // CFileException when the file cannot be opened, written or closed, or
    // when the last Load found it but could not read it (it may hold records
    // the table never received); the table is never changed.
    void Save();
    // Puts the table in ranking order (higher score first; on equal scores the
    // lower stage first) by an exchange procedure whose order of equal records
    // is part of the behaviour.
    void Sort();
    // The ranking report in code page 932: a header and one line per place,
    // in the table's current order.
    std::string Format() const;

    // Empty when the last Load went well; otherwise a short English sentence
    // naming the file and the cause, for the player to read once.
    const std::string& GetLoadProblem() const { return m_strLoadProblem; }

private:
    std::string m_strLoadProblem;
    bool m_bFileUnread = false;
};
