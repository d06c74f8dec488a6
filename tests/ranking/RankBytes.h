// Hand-built ranking bytes for the tests and the fuzz target: records, the built-in image, the table, the file.
#pragma once

#include "RankTable.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

// One record's 28 file bytes: the name zero-filled to 20 bytes, the little-endian score and stage, then the two
// reserved bytes.
inline std::string RecordBytes(std::string name, int score, int stage, const std::string& reserved = {"\0\0", 2})
{
    name.resize(20, '\0');
    for (int shift = 0; shift < 32; shift += 8)
        name += char(unsigned(score) >> shift);
    return name + char(stage) + char(stage >> 8) + reserved;
}

// "☆★☆★☆★　Ranking　★☆★☆★☆" and an empty line, in code page 932.
inline const std::string REPORT_HEADER = "\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x40Ranking"
                                         "\x81\x40\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\n\n";

inline std::string BuiltInImage()
{
    return RecordBytes("\x82\xad\x82\xe9\x82\xdc", 5000, 10) + RecordBytes("\x82\xc2\x82\xad\x82\xa6", 4000, 9) +
           RecordBytes("\x82\xdf\x82\xaa\x82\xcb", 3000, 8) + RecordBytes("\x82\xa9\x82\xce\x82\xf1", 2000, 7) +
           RecordBytes("\x82\xa2\x82\xb7", 1000, 6);
}

inline std::string TableBytes()
{
    return {reinterpret_cast<const char*>(g_rankTable), sizeof g_rankTable};
}

inline void SetTable(const std::string& image)
{
    std::memcpy(g_rankTable, image.data(), sizeof g_rankTable);
}

inline std::string FileBytes()
{
    std::ifstream in("rank.vtd", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
