// The game flow as the player meets it: boxes, timer, sound, ranking file, on a scripted window system.
#include "CFlipSolver.h"
#include "CGame.h"
#include "CGameApp.h"
#include "DC.h"
#include "RankTable.h"
#include "Runtime.h"
#include "ScriptedWindowSystem.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;

namespace {

// A second whose stage-1 field lets the head fall straight for a while and
// still has a way through to the gate.
constexpr std::time_t FIELD_SECOND = 1031788800;

// One 28-byte record as the file holds it; name is the whole 20-byte field when longer.
std::string Record(std::string name, std::int32_t nScore, std::int16_t nStage)
{
    name.resize(20, '\0');
    for (int i = 0; i < 4; ++i)
        name += char((std::uint32_t(nScore) >> (8 * i)) & 0xff);
    return name + char(nStage & 0xff) + char((nStage >> 8) & 0xff) + std::string(2, '\0');
}

// The built-in ranking, places 1 to 5: "くるま", "つくえ", "めがね", "かばん", "いす".
const std::string A = Record("\x82\xad\x82\xe9\x82\xdc", 5000, 10);
const std::string B = Record("\x82\xc2\x82\xad\x82\xa6", 4000, 9);
const std::string C = Record("\x82\xdf\x82\xaa\x82\xcb", 3000, 8);
const std::string D = Record("\x82\xa9\x82\xce\x82\xf1", 2000, 7);
const std::string E = Record("\x82\xa2\x82\xb7", 1000, 6);

std::string ReadFile(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const char* name, const std::string& bytes)
{
    std::ofstream(name, std::ios::binary) << bytes;
}

class FlowTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_oldDir = fs::current_path();
        char dir[] = "/tmp/vantrel-shell-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
        fs::current_path(m_dir);
        std::memcpy(g_rankTable, (A + B + C + D + E).data(), sizeof g_rankTable);
        SetRuntime(&m_clock);
        // The field the frame will draw, from the core with the same clock.
        CGame game;
        CDC dc;
        m_field.CreateBitmap(640, 400);
        dc.SelectObject(&m_field);
        game.DrawField(dc);
    }
    void TearDown() override
    {
        theApp.m_pMainWnd = nullptr;
        SetRuntime(nullptr);
        fs::current_path(m_oldDir);
        fs::remove_all(m_dir);
    }

    bool ScreenIs(const CBitmap& bmp) const
    {
        return std::equal(bmp.Bits(), bmp.Bits() + 640 * 400, m_sys.m_screen.Bits());
    }
    COLORREF Pixel(const CBitmap& bmp, int x, int y) const { return CBitmap::FromPixel(bmp.Bits()[y * 640 + x]); }
    // Ticks survived by a head falling straight from the start through the field.
    int DropScore() const
    {
        int n = 0;
        while (Pixel(m_field, 11 + n, 199 + 2 * n) == 0)
            ++n;
        return n;
    }
    void Start()
    {
        m_sys.Then(IDOK);
        m_sys.Command(ID_GAME_START);
    }
    std::vector<std::string> LogFrom(std::size_t n) const { return {m_sys.m_log.begin() + n, m_sys.m_log.end()}; }

    CFixedClockRuntime m_clock {FIELD_SECOND};
    CScriptedWindowSystem m_sys;
    CBitmap m_field;
    fs::path m_oldDir, m_dir;
};

TEST_F(FlowTest, StartUpShowsTheReadyFieldInAFixedSizeWindowAndWritesTheBuiltInRanking)
{
    ASSERT_TRUE(theApp.InitInstance());
    EXPECT_EQ(m_sys.m_strTitle, "Vantrel Ver0.2");
    EXPECT_EQ(m_sys.m_rcCreated.right - m_sys.m_rcCreated.left, 640 + 2 * 2 + 2 * 3);
    EXPECT_EQ(m_sys.m_rcCreated.bottom - m_sys.m_rcCreated.top, 400 + 2 * 4 + 2 * 5 + 19 + 20);
    EXPECT_TRUE(ScreenIs(m_field));
    EXPECT_TRUE(m_sys.m_log.empty());
    EXPECT_EQ(ReadFile("rank.vtd"), A + B + C + D + E);
}

TEST_F(FlowTest, StartUpWhereTheRankingFileCannotBeCreatedSaysSoAndShowsTheField)
{
    fs::create_symlink("missing/rank.vtd", "rank.vtd");
    m_sys.Then(IDOK);
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_EQ(m_sys.m_boxes.size(), 1u);
    EXPECT_THAT(m_sys.m_boxes[0].text, HasSubstr("rank.vtd"));
    EXPECT_EQ(m_sys.m_boxes[0].caption, "Vantrel Ver0.2");
    EXPECT_TRUE(ScreenIs(m_field));
    EXPECT_FALSE(m_sys.m_bTimerRunning);
}

TEST_F(FlowTest, StartStopsTheTimerShowsTheStartBoxThenTicks)
{
    theApp.InitInstance();
    Start();
    EXPECT_THAT(m_sys.m_log, ElementsAre("timer off 1", "box Hit anykey to Start!", "timer on 1 20"));
    EXPECT_EQ(m_sys.m_boxes[0].caption, "Vantrel Ver0.2");
    EXPECT_EQ(m_sys.m_boxes[0].nType, MB_OK);
    EXPECT_TRUE(m_sys.Tick());
    EXPECT_EQ(Pixel(m_sys.m_screen, 11, 199), RGB(255, 0, 0)) << "the first tick's trail is painted";
    EXPECT_FALSE(m_sys.m_bErased);
}

TEST_F(FlowTest, StartDuringAGameBeginsAFreshField)
{
    theApp.InitInstance();
    Start();
    for (int i = 0; i < 5; ++i)
        m_sys.Tick();
    m_sys.Send(WM_LBUTTONDOWN);
    Start();
    EXPECT_TRUE(ScreenIs(m_field)) << "trail gone, stage 1, score 0";
    EXPECT_TRUE(m_sys.m_bTimerRunning);
}

TEST_F(FlowTest, QuitPromptCancelResumesOnlyAGameInProgressAndOkDestroys)
{
    theApp.InitInstance();
    m_sys.Then(IDCANCEL);
    m_sys.Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_THAT(m_sys.m_log, ElementsAre("timer off 1", "box Do you quit Game?"));
    EXPECT_EQ(m_sys.m_boxes[0].nType, MB_OKCANCEL | MB_ICONQUESTION);

    Start();
    m_sys.Tick();
    const std::size_t n = m_sys.m_log.size();
    m_sys.Then(IDCANCEL);
    m_sys.Command(ID_GAME_EXIT);
    EXPECT_THAT(LogFrom(n), ElementsAre("timer off 1", "box Do you quit Game?", "timer on 1 20"));

    m_sys.Send(WM_KEYDOWN, 'A'); // other keys do nothing
    m_sys.Then(IDOK);
    m_sys.Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(m_sys.m_log.back(), "destroy");
    EXPECT_EQ(m_sys.m_pFrame, nullptr);
}

TEST_F(FlowTest, SteeringToTheGateShowsTheStageBoxOverTheNextFieldAndGoesOn)
{
    theApp.InitInstance();
    Start();
    CDC dc;
    dc.SelectObject(&m_sys.m_screen);
    const auto plan = CFlipSolver().Solve(dc, 11, 199, 2);
    ASSERT_TRUE(plan.has_value()) << "choose a field second with a way through";
    // Space, click and double-click all flip once.
    const UINT flips[] = {WM_KEYDOWN, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK};
    std::size_t iFlip = 0;
    COLORREF crStartBehindBox = 0xDEAD;
    m_sys.Then(IDOK, {}, [&] { crStartBehindBox = Pixel(m_sys.m_screen, 11, 199); });
    for (int nTick = 0; m_sys.m_boxes.size() < 2 && nTick < 700; ++nTick) {
        for (; iFlip < plan->size() && (*plan)[iFlip] == nTick; ++iFlip)
            m_sys.Send(flips[iFlip % 3], VK_SPACE);
        ASSERT_TRUE(m_sys.Tick());
    }
    EXPECT_THAT(LogFrom(m_sys.m_log.size() - 3),
                ElementsAre("timer off 1", "box Congratulations! Go to Next Stage.", "timer on 1 20"));
    EXPECT_EQ(crStartBehindBox, 0u) << "the next stage's fresh field shows behind the box";
    EXPECT_TRUE(m_sys.Tick());
}

// A crash with a score above place 5: the name takes place 5 and the
// ranking is sorted, shown and saved. Clicks before Start do not carry over.
TEST_F(FlowTest, CrashWithAQualifyingScoreEntersTheNameSortsShowsAndSaves)
{
    const std::string lastName(12, 'X');
    WriteFile("rank.vtd", A + B + C + Record("D", 20, 3) + Record(lastName, 10, 2));
    theApp.InitInstance();
    for (int i = 0; i < 3; ++i)
        m_sys.Send(WM_LBUTTONDOWN);
    Start();
    const int nScore = DropScore();
    ASSERT_GT(nScore, 20);
    const std::size_t n = m_sys.m_log.size();
    m_sys.Then(IDOK);
    m_sys.Then(IDOK, "AB");
    m_sys.Then(IDOK);
    EXPECT_EQ(m_sys.TickUntilStopped(), nScore + 1);
    const std::string line4 = " 4 : stage01  0000" + std::to_string(nScore) + "  AB              \n";
    EXPECT_THAT(LogFrom(n), ElementsAre("timer off 1", "sound clash.wav 131073", "box GameOver( ; _ ; )/~~~",
                                        "dialog 111", "limit 1000 16", "text 1000 ''", HasSubstr(line4)));
    std::string newName = "AB" + std::string(1, '\0') + lastName.substr(3);
    EXPECT_EQ(ReadFile("rank.vtd"), A + B + C + Record(newName, nScore, 1) + Record("D", 20, 3));
}

// An equal score does not qualify; the table as loaded is sorted, shown and saved.
TEST_F(FlowTest, CrashWithoutAQualifyingScoreShowsAndSavesTheSortedRanking)
{
    const int nScore = DropScore();
    WriteFile("rank.vtd", B + A + C + D + Record("E", nScore, 1));
    theApp.InitInstance();
    Start();
    m_sys.Then(IDOK);
    m_sys.Then(IDOK);
    m_sys.TickUntilStopped();
    EXPECT_EQ(m_sys.m_log.back().substr(0, 4), "box ");
    EXPECT_THAT(m_sys.m_log, Not(testing::Contains("dialog 111")));
    EXPECT_EQ(ReadFile("rank.vtd"), A + B + C + D + Record("E", nScore, 1));
}

TEST_F(FlowTest, CancellingTheNameShowsNoRankingAndSavesNothing)
{
    const std::string image = A + B + C + D + Record("E", 0, 1);
    WriteFile("rank.vtd", image);
    theApp.InitInstance();
    Start();
    m_sys.Then(IDOK);
    m_sys.Then(IDCANCEL, "AB");
    m_sys.TickUntilStopped();
    EXPECT_EQ(m_sys.m_log.back(), "text 1000 ''");
    EXPECT_EQ(m_sys.m_boxes.back().text, "GameOver( ; _ ; )/~~~");
    EXPECT_EQ(ReadFile("rank.vtd"), image);
}

// The menu's ranking box leaves the game running; a crash under it opens its
// boxes on top, and the outer box's save, once closed, holds the new record.
TEST_F(FlowTest, CrashUnderTheMenusRankingBoxNestsItsBoxesAndTheOuterSaveKeepsTheRecord)
{
    WriteFile("rank.vtd", A + B + C + D + Record("E", 0, 1));
    theApp.InitInstance();
    Start();
    const int nScore = DropScore();
    m_sys.Then(IDOK, {}, [&] {
                    m_sys.TickUntilStopped();
                    fs::remove("rank.vtd");
                });
    m_sys.Then(IDOK);
    m_sys.Then(IDOK, "AB");
    m_sys.Then(IDOK);
    m_sys.Command(ID_RANKING);
    ASSERT_EQ(m_sys.m_boxes.size(), 4u);
    EXPECT_THAT(m_sys.m_boxes[1].text, Not(HasSubstr("AB")));
    EXPECT_EQ(m_sys.m_boxes[2].text, "GameOver( ; _ ; )/~~~");
    EXPECT_THAT(m_sys.m_boxes[3].text, HasSubstr("AB"));
    EXPECT_EQ(ReadFile("rank.vtd"), A + B + C + D + Record("AB", nScore, 1));
}

TEST_F(FlowTest, AFailingSaveIsShownInAnErrorBoxAndTheGameGoesOn)
{
    theApp.InitInstance();
    Start();
    m_sys.Tick();
    fs::remove("rank.vtd");
    fs::create_symlink("/dev/full", "rank.vtd");
    m_sys.Then(IDOK);
    m_sys.Then(IDOK);
    m_sys.Command(ID_RANKING);
    ASSERT_EQ(m_sys.m_boxes.size(), 3u);
    EXPECT_THAT(m_sys.m_boxes[2].text, HasSubstr("rank.vtd"));
    EXPECT_EQ(m_sys.m_boxes[2].caption, "Vantrel Ver0.2");
    EXPECT_TRUE(m_sys.Tick());
}

TEST_F(FlowTest, TheAboutBoxLeavesTheGameRunningBehindIt)
{
    theApp.InitInstance();
    Start();
    bool bTicked = false;
    m_sys.Then(IDOK, {}, [&] { bTicked = m_sys.Tick(); });
    m_sys.Command(ID_APP_ABOUT);
    EXPECT_EQ(m_sys.m_log.back(), "dialog 112");
    EXPECT_TRUE(bTicked);
}

} // namespace
