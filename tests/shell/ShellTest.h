// Fixture of the shell tests: the main frame on a scripted window system, in a fresh directory with a fixed clock.
#pragma once

#include "CGame.h"
#include "CGameApp.h"
#include "DC.h"
#include "RankTable.h"
#include "Runtime.h"
#include "ScriptedWindowSystem.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

// One 28-byte record of "rank.vtd": the name in a 20-byte field (cut when longer), score, stage, 2 reserved bytes.
inline std::string Record(std::string name, std::int32_t nScore, std::int16_t nStage,
                          std::string reserved = {"\0\0", 2})
{
    name.resize(20, '\0');
    for (int i = 0; i < 4; ++i)
        name += char((std::uint32_t(nScore) >> (8 * i)) & 0xff);
    return name + char(nStage & 0xff) + char((nStage >> 8) & 0xff) + reserved;
}

// The built-in places 1 to 5: "くるま", "つくえ", "めがね", "かばん", "いす", 5000 to 1000 points, stages 10 to 6.
inline std::string BuiltIn(int nPlace)
{
    const char* const names[] = {"\x82\xad\x82\xe9\x82\xdc", "\x82\xc2\x82\xad\x82\xa6", "\x82\xdf\x82\xaa\x82\xcb",
                                 "\x82\xa9\x82\xce\x82\xf1", "\x82\xa2\x82\xb7"};
    return Record(names[nPlace - 1], 1000 * (6 - nPlace), std::int16_t(11 - nPlace));
}
inline const std::string BUILT_IN = BuiltIn(1) + BuiltIn(2) + BuiltIn(3) + BuiltIn(4) + BuiltIn(5);

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
        std::memcpy(g_rankTable, BUILT_IN.data(), sizeof g_rankTable);
        SetRuntime(&m_clock);
        m_field.CreateBitmap(640, 400);
        CDC dc;
        dc.SelectObject(&m_field);
        CGame().DrawField(dc); // what the frame should show at start-up, from the core with the same clock
    }
    void TearDown() override
    {
        ASSERT_EQ(seteuid(getuid()), 0); // back from a player's user id
        theApp.m_pMainWnd = nullptr;
        SetRuntime(nullptr);
        std::filesystem::current_path(m_oldDir);
        // A read-only directory of a normal user would keep its entries.
        for (const auto& e : std::filesystem::recursive_directory_iterator(m_dir))
            if (e.is_directory() && !e.is_symlink())
                std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add);
        std::filesystem::remove_all(m_dir);
    }

    // Start-up with "rank.vtd" holding image, unless it is empty.
    void Open(const std::string& image = {})
    {
        if (!image.empty())
            std::ofstream("rank.vtd", std::ios::binary) << image;
        ASSERT_TRUE(theApp.InitInstance());
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

inline std::string ReadFile(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
