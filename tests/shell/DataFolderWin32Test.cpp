// The data folder on Windows: %LOCALAPPDATA%\Vantrel made and entered, and the temporary folder with its warning when
// that cannot be used.
#include "DataFolder.h"
#include "TestScene.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

class DataFolderTest : public testing::Test {
protected:
    // The temporary folders of the fallback go under this test's own folder.
    void SetUp() override { SetEnv("TMP", m_dir.m_dir.string() + "\\"); }
    void TearDown() override
    {
        SetEnv("TMP", m_strOldTmp);
        SetEnv("LOCALAPPDATA", m_strOldLocal);
    }
    static void SetEnv(const char* pszName, const std::string& strValue)
    {
        ASSERT_EQ(_putenv_s(pszName, strValue.c_str()), 0);
    }
    static std::string GetEnv(const char* pszName)
    {
        const char* pszValue = std::getenv(pszName);
        return pszValue != nullptr ? pszValue : "";
    }

    std::string m_strOldTmp = GetEnv("TMP"), m_strOldLocal = GetEnv("LOCALAPPDATA");
    CTempDir m_dir;
};

TEST_F(DataFolderTest, AMissingFolderIsMadeWithItsParentsAndEntered)
{
    const std::string strLocal = m_dir.m_dir.string() + "\\new\\local";
    SetEnv("LOCALAPPDATA", strLocal);
    EXPECT_EQ(EnterDataFolder(), "");
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), strLocal + "\\Vantrel"));
}

TEST_F(DataFolderTest, AnUnusableFolderGivesANewTemporaryOneAndSaysSo)
{
    std::ofstream(m_dir.m_dir / "file") << "not a folder";
    const std::string strLocal = (m_dir.m_dir / "file").string();
    SetEnv("LOCALAPPDATA", strLocal);
    const std::string strProblem = EnterDataFolder();
    const std::string strFolder = std::filesystem::current_path().string();
    const std::string strStart = "The ranking folder " + strLocal + "\\Vantrel cannot be used (";
    EXPECT_EQ(strProblem.substr(0, strStart.size()), strStart) << strProblem;
    EXPECT_NE(strProblem.find("). The ranking of this session is kept in " + strFolder + "."), std::string::npos)
        << strProblem;
    EXPECT_EQ(std::filesystem::path(strFolder).parent_path(), m_dir.m_dir);
    EXPECT_EQ(std::filesystem::path(strFolder).filename().string().substr(0, 8), "vantrel-");
}

} // namespace
