// The game flow as the player meets it: boxes, timer, sound, ranking file, on a scripted window system.
#include "CFlipSolver.h"
#include "ShellTest.h"

#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;

namespace {

const std::string TOP3 = BUILT_IN.substr(0, 84), TOP4 = BUILT_IN.substr(0, 112);

using FlowTest = ShellTest;

// About leaves the game running behind it, and a crash under it opens its boxes on top, the crash sprite painted behind
// them; the game is then over (Escape then Cancel leaves the timer stopped). Start begins a fresh field.
TEST_F(FlowTest, StartUpShowsTheReadyFieldThenStartStopsTheTimerForItsBoxAndTicks)
{
    Open();
    // The outer size: client area, dialog frame and edge on both sides, caption and menu.
    EXPECT_THAT(m_sys.m_log, ElementsAre("create Vantrel Ver0.2 650x457"));
    EXPECT_TRUE(ShowsField());

    Start();
    EXPECT_THAT(LogFrom(1), ElementsAre("timer off 1", "box Hit anykey to Start!", "timer on 1 20"));
    EXPECT_TRUE(m_sys.Tick());
    EXPECT_EQ(Pixel(m_sys.m_screen, 11, 199), RGB(255, 0, 0)) << "the first tick's trail is painted";
    const std::size_t n = m_sys.m_log.size();
    m_sys.Then(IDOK, {}, [this] { m_sys.TickUntilStopped(); });
    const int nScore = m_scene.DropScore();
    int nBurst = 0; // pale yellow burst pixels in the 32 x 32 square around the head
    m_sys.Then(IDOK, {}, [&] {
        for (int y = 199 + 2 * nScore - 16; y < std::min(199 + 2 * nScore + 16, 400); ++y)
            for (int x = 11 + nScore - 16; x < 11 + nScore + 16; ++x)
                nBurst += Pixel(m_sys.m_screen, x, y) == RGB(255, 255, 102);
    });
    m_sys.Then(IDOK);
    m_sys.Then(IDCANCEL);
    m_sys.Command(ID_APP_ABOUT);
    m_sys.Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_THAT(LogFrom(n),
                ElementsAre("dialog 112", "timer off 1", "sound clash.wav 131073", "box GameOver( ; _ ; )/~~~",
                            "box " + m_sys.m_boxes[2], "timer off 1", "box Do you quit Game? [0x21]"));
    EXPECT_GT(nBurst, 300);

    m_sys.Send(WM_LBUTTONDOWN);
    Start();
    EXPECT_TRUE(ShowsField()) << "trail gone, stage 1, score 0";
    EXPECT_TRUE(m_sys.m_bTimerRunning);
}

// The title bar's close box destroys at once, without the prompt, and writes nothing.
TEST_F(FlowTest, QuitPromptCancelResumesOnlyAGameInProgressOkDestroysAndTheCloseBoxDoesNotAsk)
{
    Open();
    m_sys.Then(IDCANCEL);
    m_sys.Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_THAT(LogFrom(1), ElementsAre("timer off 1", "box Do you quit Game? [0x21]"));

    Start();
    m_sys.Tick();
    const std::size_t n = m_sys.m_log.size();
    m_sys.Then(IDCANCEL);
    m_sys.Command(ID_GAME_EXIT);
    EXPECT_THAT(LogFrom(n), ElementsAre("timer off 1", "box Do you quit Game? [0x21]", "timer on 1 20"));

    m_sys.Send(WM_KEYDOWN, 'A'); // other keys do nothing
    std::ofstream("rank.vtd") << "other";
    m_sys.Send(WM_CLOSE);
    EXPECT_THAT(LogFrom(n + 3), ElementsAre("destroy"));
    EXPECT_EQ(m_sys.m_pFrame, nullptr);
    EXPECT_EQ(FileBytes(), "other");

    Open();
    m_sys.Then(IDOK);
    m_sys.Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(m_sys.m_log.back(), "destroy");
    EXPECT_EQ(m_sys.m_pFrame, nullptr);
}

TEST_F(FlowTest, SteeringToTheGateShowsTheStageBoxOverTheNextFieldAndGoesOn)
{
    Open();
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

// A cancelled name loses the score: no ranking box, nothing saved. The next time the name takes place 5, cut by its NUL
// only. Clicks before Start do not carry over.
TEST_F(FlowTest, CrashWithAQualifyingScoreEntersTheNameSortsShowsAndSaves)
{
    const std::string lastName(12, 'X'), image = TOP3 + RecordBytes("D", 20, 3) + RecordBytes(lastName, 10, 2);
    Open(image);
    for (int i = 0; i < 3; ++i)
        m_sys.Send(WM_LBUTTONDOWN);
    Start();
    const int nScore = m_scene.DropScore();
    ASSERT_GT(nScore, 20);
    m_sys.Then(IDOK);
    m_sys.Then(IDCANCEL, "AB");
    EXPECT_EQ(m_sys.TickUntilStopped(), nScore + 1);
    EXPECT_EQ(m_sys.m_boxes.back(), "GameOver( ; _ ; )/~~~");
    EXPECT_EQ(FileBytes(), image);

    Start();
    const std::size_t n = m_sys.m_log.size();
    m_sys.Then(IDOK);
    m_sys.Then(IDOK, "AB");
    m_sys.Then(IDOK);
    m_sys.TickUntilStopped();
    const std::string line4 = " 4 : stage01  0000" + std::to_string(nScore) + "  AB              \n";
    EXPECT_THAT(LogFrom(n), ElementsAre("timer off 1", "sound clash.wav 131073", "box GameOver( ; _ ; )/~~~",
                                        "dialog 111", "box " + m_sys.m_boxes.back()));
    EXPECT_THAT(m_sys.m_boxes.back(), HasSubstr(line4));
    const std::string newName = "AB" + std::string(1, '\0') + lastName.substr(3);
    EXPECT_EQ(FileBytes(), TOP3 + RecordBytes(newName, nScore, 1) + RecordBytes("D", 20, 3));
}

// The menu's ranking box leaves the game running; a crash under it opens its boxes on top, and the outer box's save,
// once closed, holds the new record.
TEST_F(FlowTest, CrashUnderTheMenusRankingBoxNestsItsBoxesAndTheOuterSaveKeepsTheRecord)
{
    Open(TOP4 + RecordBytes("E", 0, 1));
    Start();
    m_sys.Then(IDOK, {}, [&] {
        m_sys.TickUntilStopped();
        std::filesystem::remove("rank.vtd");
    });
    m_sys.Then(IDOK);
    m_sys.Then(IDOK, "AB");
    m_sys.Then(IDOK);
    m_sys.Command(ID_RANKING);
    ASSERT_EQ(m_sys.m_boxes.size(), 4u);
    EXPECT_THAT(m_sys.m_boxes[1], Not(HasSubstr("AB")));
    EXPECT_EQ(m_sys.m_boxes[2], "GameOver( ; _ ; )/~~~");
    EXPECT_THAT(m_sys.m_boxes[3], HasSubstr("AB"));
    EXPECT_EQ(FileBytes(), TOP4 + RecordBytes("AB", m_scene.DropScore(), 1));
}

} // namespace
