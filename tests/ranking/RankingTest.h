// The ranking tests' fixture: the built-in table in a fresh current directory, and what a save reports.
#pragma once

#include "RankBytes.h"

#include "FileException.h"
#include "Ranking.h"
#include "TestScene.h"

#include <gtest/gtest.h>

class RankingTest : public testing::Test {
protected:
    void SetUp() override { SetTable(BuiltInImage()); }
    CTempDir m_dir;
};

// What the error box would say after "rank.vtd": the reason of the error a save raises, or "saved".
inline std::string SaveResult(CRanking& ranking)
{
    try {
        ranking.Save();
    } catch (const CFileException& e) {
        return e.GetReason();
    }
    return "saved";
}
