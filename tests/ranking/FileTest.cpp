// The ranking file: creation, short and long files, and names that cannot be read or written.
#include "RankingTest.h"

#include "FileException.h"
#include "Ranking.h"

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

// Taken before any test runs, to see the table's compile-time content.
static const std::string s_strStartImage = TableBytes();

static void WriteBytes(const std::string& bytes) { std::ofstream("rank.vtd", std::ios::binary) << bytes; }

TEST_F(RankingTest, MissingFileIsCreatedFromTheBuiltInTable)
{
    EXPECT_EQ(s_strStartImage, BuiltInImage());
    CRanking ranking;
    ranking.Load();
    EXPECT_EQ(FileBytes("rank.vtd"), BuiltInImage());
    EXPECT_EQ(TableBytes(), BuiltInImage());
    EXPECT_EQ(ranking.GetLoadProblem(), "");
}

TEST_F(RankingTest, ShortFileReplacesOnlyItsOwnBytes)
{
    const std::string file = RecordBytes("AB", 7, 3) + "XY";
    WriteBytes(file);
    CRanking().Load();
    EXPECT_EQ(TableBytes(), file + BuiltInImage().substr(30));
    EXPECT_EQ(FileBytes("rank.vtd"), file);
}

TEST_F(RankingTest, LongUnsortedFileLoadsAsIsAndSaveKeepsItsTail)
{
    // Bytes behind a NUL and reserved bytes travel with their record.
    const std::string a = RecordBytes({"a\0junk", 6}, 10, 1, "r1"), b = RecordBytes("b", 300, 2);
    const std::string c = RecordBytes("c", -5, 3, "\xff\xfe"), d = RecordBytes("d", 300, 1), e = RecordBytes("e", 0, 4);
    WriteBytes(a + b + c + d + e + std::string(60, 'T'));
    CRanking ranking;
    ranking.Load();
    EXPECT_EQ(TableBytes(), a + b + c + d + e);
    ranking.Sort();
    ranking.Save();
    EXPECT_EQ(FileBytes("rank.vtd"), d + b + a + e + c + std::string(60, 'T'));
}

// Root can read and write regardless of permissions, so the failures come
// from names that are not regular files, a full device and a removed directory.
TEST_F(RankingTest, ExistingUnreadableNameIsKeptAndTheBuiltInTableUsed)
{
    const std::function<int()> makers[] = {
        [] { return mkdir("rank.vtd", 0755); },
        [] { return mkfifo("rank.vtd", 0644); },
        [] { return symlink("/dev/full", "rank.vtd"); },
    };
    for (const auto& make : makers) {
        std::filesystem::remove("rank.vtd");
        ASSERT_EQ(make(), 0);
        const auto type = std::filesystem::symlink_status("rank.vtd").type();
        CRanking ranking;
        ranking.Load();
        EXPECT_EQ(TableBytes(), BuiltInImage());
        EXPECT_NE(ranking.GetLoadProblem().find("rank.vtd cannot be read (not a regular file)"), std::string::npos);
        // Showing the ranking later must not overwrite what was never read.
        try {
            ranking.Save();
            ADD_FAILURE() << "an unread file was overwritten";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetOsError(), CFileException::keptUnread);
        }
        EXPECT_EQ(std::filesystem::symlink_status("rank.vtd").type(), type);
    }
}

TEST_F(RankingTest, FailedWriteRaisesAndLeavesTheTable)
{
    ASSERT_EQ(symlink("/dev/full", "rank.vtd"), 0);
    SetTable(RecordBytes("n", 1, 1) + BuiltInImage().substr(28));
    const std::string table = TableBytes();
    try {
        CRanking().Save();
        ADD_FAILURE() << "no file error";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.GetOsError(), ENOSPC);
    }
    EXPECT_EQ(TableBytes(), table);
}

TEST_F(RankingTest, GameStartsWhenTheFileCanNeitherBeReadNorCreated)
{
    ASSERT_EQ(rmdir(m_pathTemp.c_str()), 0);
    CRanking ranking;
    ranking.Load();
    EXPECT_EQ(TableBytes(), BuiltInImage());
    EXPECT_EQ(ranking.GetLoadProblem(), "The ranking file rank.vtd cannot be created (No such file or directory). "
                                         "The built-in ranking is used; new scores may not be saved.");
    EXPECT_THROW(ranking.Save(), CFileException);
}
