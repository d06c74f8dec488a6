// The exchange sort with its order of ties, and the report's exact bytes.
#include "RankingTest.h"

#include "Ranking.h"

// Sorts records named after their former places 1 to 5; returns the names in their new order.
static std::string SortedPlaces(const int (&scores)[5], const int (&stages)[5])
{
    std::string image;
    for (int i = 0; i < 5; ++i)
        image += RecordBytes(std::to_string(i + 1), scores[i], stages[i]);
    SetTable(image);
    CRanking().Sort();
    std::string places;
    for (const RankEntry& entry : g_rankTable)
        places += entry.szName;
    return places;
}

TEST_F(RankingTest, SortFollowsTheExchangeOrderWithSignedKeys)
{
    EXPECT_EQ(SortedPlaces({100, 100, 200, 50, 50}, {1, 1, 1, 1, 1}), "32145");
    EXPECT_EQ(SortedPlaces({7, 7, 7, 7, 7}, {3, 1, 2, 1, 3}), "24315");
    // Stage -1 (0xFFFF in the file) ranks above stage 0; score -5 below 0.
    EXPECT_EQ(SortedPlaces({-5, 0, 0, -6, -5}, {1, 0, -1, 1, 1}), "32154");
    SetTable(BuiltInImage());
    CRanking().Sort();
    EXPECT_EQ(TableBytes(), BuiltInImage());
}

TEST_F(RankingTest, ReportOfTheBuiltInTable)
{
    const std::string report = CRanking().Format();
    EXPECT_EQ(report.size(), 232u);
    EXPECT_EQ(report, "\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x40Ranking"
                      "\x81\x40\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\n\n"
                      " 1 : stage10  005000  \x82\xad\x82\xe9\x82\xdc          \n"
                      " 2 : stage09  004000  \x82\xc2\x82\xad\x82\xa6          \n"
                      " 3 : stage08  003000  \x82\xdf\x82\xaa\x82\xcb          \n"
                      " 4 : stage07  002000  \x82\xa9\x82\xce\x82\xf1          \n"
                      " 5 : stage06  001000  \x82\xa2\x82\xb7            \n");
}

TEST_F(RankingTest, ReportPrintsOddRecordsWholeAndReadsNoFurtherThanTheName)
{
    // Place 2's name fills its field without a NUL; its score follows directly.
    SetTable(RecordBytes("", 1, 123) + RecordBytes(std::string(20, 'N'), -100, 6) + RecordBytes("x", 0, -7)
        + RecordBytes("ABCDEFGHIJKLMNOPQ", 1234567, 0) + RecordBytes("e", -2147483647 - 1, -32768));
    EXPECT_EQ(CRanking().Format().substr(37), " 1 : stage123  000001                  \n"
                                              " 2 : stage06  -00100  NNNNNNNNNNNNNNNNNNNN\n"
                                              " 3 : stage-7  000000  x               \n"
                                              " 4 : stage00  1234567  ABCDEFGHIJKLMNOPQ\n"
                                              " 5 : stage-32768  -2147483648  e               \n");
}
