// Fixture of the shell tests: the main frame on a scripted window system, in a fresh directory with a fixed clock.
#pragma once

#include "../ranking/RankBytes.h"
#include "CGame.h"
#include "CGameApp.h"
#include "DC.h"
#include "FixedClockRuntime.h"
#include "MainFrame.h"
#include "ScriptedWindowSystem.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

inline const std::string BUILT_IN = BuiltInImage();

class ShellTest : public testing::Test {
protected:
    // A second whose stage-1 field lets the head fall straight for a while and
    // still has a way through to the gate.
    static constexpr std::time_t FIELD_SECOND = 1031788800;

    void SetUp() override
    {
        char dir[] = "/tmp/vantrel-shell-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
        std::filesystem::current_path(m_dir);
        SetTable(BUILT_IN);
        m_field.CreateBitmap(640, 400);
        CDC dc;
        dc.SelectObject(&m_field);
        CGame(m_clock).DrawField(dc); // what the frame should show at start-up, from the core with the same clock
    }
    void TearDown() override
    {
        ASSERT_EQ(seteuid(getuid()), 0); // back from a player's user id
        theApp.m_pMainWnd = nullptr;
        std::filesystem::current_path(m_oldDir);
        // A read-only directory of a normal user would keep its entries.
        for (const auto& e : std::filesystem::recursive_directory_iterator(m_dir))
            if (e.is_directory() && !e.is_symlink())
                std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add);
        std::filesystem::remove_all(m_dir);
    }

    // Start-up with "rank.vtd" holding image, unless it is empty: the main frame on the scripted system.
    void Open(const std::string& image = {})
    {
        if (!image.empty())
            std::ofstream("rank.vtd", std::ios::binary) << image;
        ASSERT_TRUE(theApp.ShowMainFrame(new CMainFrame(m_sys, m_clock)));
    }
    // The Start command with its box answered by OK.
    void Start()
    {
        m_sys.Then(IDOK);
        m_sys.Command(ID_GAME_START);
    }
    bool ShowsField() const { return std::equal(m_field.Bits(), m_field.Bits() + 640 * 400, m_sys.m_screen.Bits()); }

    CFixedClockRuntime m_clock{FIELD_SECOND};
    CScriptedWindowSystem m_sys;
    CBitmap m_field;
    std::filesystem::path m_oldDir = std::filesystem::current_path(), m_dir;
};
