// The file layer's rules on every system: bytes kept as written, nothing shortened, only regular files opened.
#include "File.h"
#include "TestScene.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

constexpr UINT OPEN_FOR_SAVE = CFile::modeWrite | CFile::modeCreate | CFile::modeNoTruncate;

std::string ReadAll(const char* pszName)
{
    CFile file;
    std::string bytes(512, '\0');
    if (!file.Open(pszName, CFile::modeRead))
        return "<not opened>";
    bytes.resize(file.Read(bytes.data(), UINT(bytes.size())));
    return bytes;
}

// The cause of a refused open, as "errno reason".
std::string Refusal(const char* pszName, UINT nFlags)
{
    CFile file;
    CFileException error("", 0);
    if (file.Open(pszName, nFlags, &error))
        return "opened";
    return std::to_string(error.GetOsError()) + " " + error.GetReason();
}

TEST(FileTest, EveryByteValueIsKeptAndASaveNeverShortensTheFile)
{
    CTempDir dir;
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += char(i);
    {
        CFile file;
        ASSERT_TRUE(file.Open("rank.vtd", OPEN_FOR_SAVE));
        file.Write(bytes.data(), UINT(bytes.size()));
        file.Close();
    }
    EXPECT_EQ(ReadAll("rank.vtd"), bytes);
    CFile file;
    ASSERT_TRUE(file.Open("rank.vtd", OPEN_FOR_SAVE));
    file.Write("\n", 1);
    file.Close();
    bytes[0] = '\n';
    EXPECT_EQ(ReadAll("rank.vtd"), bytes);
}

TEST(FileTest, DirectoriesDevicesAndLinksToMissingFilesAreRefused)
{
    CTempDir dir;
    std::filesystem::create_directory("folder");
    const std::string strNotRegular = " not a regular file";
    for (UINT nFlags : {CFile::modeRead, OPEN_FOR_SAVE}) {
        EXPECT_EQ(Refusal("folder", nFlags), std::to_string(EISDIR) + strNotRegular);
        // The null device by its name on this system.
        const char* pszDevice = std::filesystem::exists("/dev/null") ? "/dev/null" : "NUL";
        EXPECT_EQ(Refusal(pszDevice, nFlags), std::to_string(ENXIO) + strNotRegular) << pszDevice;
    }
    std::error_code error;
    std::filesystem::create_symlink("missing", "link", error);
    if (error)
        GTEST_SKIP() << "no links here: " << error.message();
    EXPECT_EQ(Refusal("link", OPEN_FOR_SAVE), std::to_string(ENOENT) + " a link to a missing file");
    EXPECT_FALSE(std::filesystem::exists("missing"));
}

} // namespace
