// Ranking test fixture: a fresh current directory and the built-in table per test, and hand-built file bytes.
#pragma once

#include "RankTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// One record's 28 file bytes: the name zero-filled to 20 bytes, the
// little-endian score and stage, then the two reserved bytes.
inline std::string RecordBytes(std::string name, int score, int stage, const std::string& reserved = {"\0\0", 2})
{
    name.resize(20, '\0');
    for (int shift = 0; shift < 32; shift += 8)
        name += char(unsigned(score) >> shift);
    return name + char(stage) + char(stage >> 8) + reserved;
}

inline std::string BuiltInImage()
{
    return RecordBytes("\x82\xad\x82\xe9\x82\xdc", 5000, 10) + RecordBytes("\x82\xc2\x82\xad\x82\xa6", 4000, 9)
        + RecordBytes("\x82\xdf\x82\xaa\x82\xcb", 3000, 8) + RecordBytes("\x82\xa9\x82\xce\x82\xf1", 2000, 7)
        + RecordBytes("\x82\xa2\x82\xb7", 1000, 6);
}

inline std::string TableBytes() { return {reinterpret_cast<const char*>(g_rankTable), sizeof g_rankTable}; }
inline void SetTable(const std::string& image) { std::memcpy(g_rankTable, image.data(), sizeof g_rankTable); }

inline std::string FileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class RankingTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string dir = std::filesystem::temp_directory_path() / "vantrel-ranking-XXXXXX";
        ASSERT_NE(mkdtemp(dir.data()), nullptr);
        m_pathTemp = dir;
        std::filesystem::current_path(m_pathTemp);
        SetTable(BuiltInImage());
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_pathOld);
        std::filesystem::remove_all(m_pathTemp);
    }

    std::filesystem::path m_pathOld = std::filesystem::current_path();
    std::filesystem::path m_pathTemp;
};
