// Fixture of the shell tests: the main frame on a scripted window system, in a fresh directory with a fixed clock.
#pragma once

#include "../ranking/RankBytes.h"
#include "CGameApp.h"
#include "MainFrame.h"
#include "ScriptedWindowSystem.h"
#include "TestScene.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

inline const std::string BUILT_IN = BuiltInImage();

class ShellTest : public testing::Test {
protected:
    // A second whose stage-1 field lets the head fall straight for a while and
    // still has a way through to the gate.
    static constexpr std::time_t FIELD_SECOND = 1031788800;

    void SetUp() override
    {
        SetTable(BUILT_IN);
    }
    void TearDown() override
    {
        ASSERT_EQ(seteuid(getuid()), 0); // back from a player's user id
        theApp.m_pMainWnd = nullptr;
    }

    // Start-up with "rank.vtd" holding image, unless it is empty: the main frame on the scripted system.
    void Open(const std::string& image = {})
    {
        if (!image.empty())
            std::ofstream("rank.vtd", std::ios::binary) << image;
        ASSERT_TRUE(theApp.ShowMainFrame(new CMainFrame(m_sys, m_scene.m_clock)));
    }
    // The Start command with its box answered by OK.
    void Start()
    {
        m_sys.Then(IDOK);
        m_sys.Command(ID_GAME_START);
    }
    bool ShowsField() const
    {
        return std::equal(m_scene.m_field.Bits(), m_scene.m_field.Bits() + 640 * 400, m_sys.m_screen.Bits());
    }

    CTestScene m_scene{FIELD_SECOND};
    CScriptedWindowSystem m_sys;
};
