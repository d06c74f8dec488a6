// Ranking tests, each in a fresh current directory: the table, its file, the exchange sort and the report's bytes.
#include "RankingTest.h"

namespace {

const std::string s_strStartImage = TableBytes();

// The table's compile-time content is the built-in one (taken before any test changes it).
TEST_F(RankingTest, TableStartsAsTheBuiltInImage)
{
    EXPECT_EQ(s_strStartImage, BuiltInImage());
}

// Tables written by another program: a new score is weighed against, and replaces, the record the ranking order puts
// last, wherever it stands.
TEST_F(RankingTest, NewRecordTakesTheLowestRankedPlaceAndItsNameStopsAtTheField)
{
    // Records named X1 to X5 with reserved bytes r0 to r4, all in stage 1.
    const std::string X(15, 'X');
    auto put = [&X](const int(&scores)[5], int nScore, const std::string& name) {
        std::string image;
        for (int i = 0; i < 5; ++i)
            image += RecordBytes(X + char('1' + i), scores[i], 1, {'r', char('0' + i)});
        SetTable(image);
        CRanking ranking;
        if (!ranking.Qualifies(nScore))
            return std::string("does not qualify");
        ranking.PutRecord(name, nScore, 2);
        return TableBytes();
    };
    EXPECT_EQ(put({10, 20, -40, 30, 80}, 89, "AB"),
              RecordBytes(X + "1", 10, 1, "r0") + RecordBytes(X + "2", 20, 1, "r1") +
                  RecordBytes(std::string("AB\0", 3) + X.substr(3) + "3", 89, 2, "r2") +
                  RecordBytes(X + "4", 30, 1, "r3") + RecordBytes(X + "5", 80, 1, "r4"));
    EXPECT_EQ(put({10, 20, -40, 30, 80}, -40, "AB"), "does not qualify");
    EXPECT_EQ(put({100, 200, 300, 400, 9000}, 5000, std::string(25, 'N')).substr(0, 28),
              RecordBytes(std::string(19, 'N'), 5000, 2, "r0"));
    // Sorted, with the last two equal: place 5 goes.
    EXPECT_EQ(put({50, 40, 30, 20, 20}, 21, "").substr(84),
              RecordBytes(X + "4", 20, 1, "r3") + RecordBytes(std::string(1, '\0') + X.substr(1) + "5", 21, 2, "r4"));
}

// Sorts records named after their former places 1 to 5; returns the names in their new order.
std::string SortedPlaces(const int (&scores)[5], const int (&stages)[5])
{
    std::string image, places;
    for (int i = 0; i < 5; ++i)
        image += RecordBytes(std::to_string(i + 1), scores[i], stages[i]);
    SetTable(image);
    CRanking().Sort();
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
}

// The built-in table, then odd records: place 2's name fills its field without a NUL, its score follows directly.
TEST_F(RankingTest, ReportPrintsRecordsWholeAndReadsNoFurtherThanTheName)
{
    EXPECT_EQ(CRanking().Format(), REPORT_HEADER + " 1 : stage10  005000  \x82\xad\x82\xe9\x82\xdc          \n"
                                                   " 2 : stage09  004000  \x82\xc2\x82\xad\x82\xa6          \n"
                                                   " 3 : stage08  003000  \x82\xdf\x82\xaa\x82\xcb          \n"
                                                   " 4 : stage07  002000  \x82\xa9\x82\xce\x82\xf1          \n"
                                                   " 5 : stage06  001000  \x82\xa2\x82\xb7            \n");
    SetTable(RecordBytes("", 1, 123) + RecordBytes(std::string(20, 'N'), -100, 6) + RecordBytes("x", 0, -7) +
             RecordBytes("ABCDEFGHIJKLMNOPQ", 1234567, 0) + RecordBytes("e", -2147483647 - 1, -32768));
    EXPECT_EQ(CRanking().Format(), REPORT_HEADER + " 1 : stage123  000001                  \n"
                                                   " 2 : stage06  -00100  NNNNNNNNNNNNNNNNNNNN\n"
                                                   " 3 : stage-7  000000  x               \n"
                                                   " 4 : stage00  1234567  ABCDEFGHIJKLMNOPQ\n"
                                                   " 5 : stage-32768  -2147483648  e               \n");
}

} // namespace
