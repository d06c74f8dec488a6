// Start-up and the ranking box against hostile "rank.vtd" files and directories.
#include "ShellTest.h"

#include <gmock/gmock.h>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {

// Root passes every permission check, so as root each case runs as "nobody".
constexpr uid_t NOBODY = 65534;

// Player records u1..u5 with 10 to 50 points, bytes behind the name's NUL and reserved bytes r1..r5, all of which
// travel with their record; the third name fills its field without a NUL, ending in a byte pair code page 932 lacks.
std::string U(int i)
{
    const std::string name = i == 3 ? std::string(18, 'N') + "\x81\x7f" : std::string("u\0junk", 6) + std::to_string(i);
    return RecordBytes(name, 10 * i, i, "r" + std::to_string(i));
}
const std::string UNSORTED = U(1) + U(2) + U(3) + U(4) + U(5);
const std::string SORTED = U(5) + U(4) + U(3) + U(2) + U(1);
// Without the file's last byte, u5's second reserved byte keeps its built-in zero.
const std::string SORTED_139 = SORTED.substr(0, 27) + '\0' + SORTED.substr(28);

// What is under "rank.vtd": a link with its target, a file's bytes, or the kind of thing.
std::string Snapshot(const fs::path& p = "rank.vtd")
{
    const fs::file_status st = fs::symlink_status(p);
    if (st.type() == fs::file_type::symlink)
        return "-> " + fs::read_symlink(p).string() + "\n" + Snapshot(fs::read_symlink(p));
    if (st.type() != fs::file_type::regular)
        return st.type() == fs::file_type::not_found ? "<missing>" : "<not a file>";
    fs::permissions(p, st.permissions() | fs::perms::owner_read); // our own unreadable file
    std::ifstream in(p, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    fs::permissions(p, st.permissions());
    return bytes;
}

void Write(const char* name, const std::string& bytes, fs::perms perms = fs::perms(0644))
{
    std::ofstream(name, std::ios::binary) << bytes;
    fs::permissions(name, perms);
}
std::function<void()> File(const std::string& bytes, fs::perms perms = fs::perms(0644))
{
    return [=] { Write("rank.vtd", bytes, perms); };
}

struct HostileCase {
    const char* name;
    std::function<void()> make;      // in the game's directory; "../elsewhere" is free for link targets
    const char* startProblem;        // in the start-up box after "rank.vtd "; empty: no box
    std::string shown;               // the table shown in the ranking box
    const char* saveError;           // the reason in the error box after it; empty: saved
    std::string after;               // Snapshot() after the ranking box
    std::function<void()> swap = {}; // replaces "rank.vtd" between start-up and the ranking box
};

const HostileCase CASES[] = {
    {"Missing", [] {}, "", BUILT_IN, "", BUILT_IN},
    {"Empty", File(""), "", BUILT_IN, "", BUILT_IN},
    {"OneByte", File("Z"), "", "Z" + BUILT_IN.substr(1), "", "Z" + BUILT_IN.substr(1)},
    {"Bytes139", File(UNSORTED.substr(0, 139)), "", SORTED_139, "", SORTED_139},
    {"Bytes140", File(UNSORTED), "", SORTED, "", SORTED},
    {"Bytes141", File(UNSORTED + "T"), "", SORTED, "", SORTED + "T"},
    {"NoReadPermission", File(UNSORTED + "T", fs::perms::owner_write), "cannot be read (Permission denied)", BUILT_IN,
     "Not saved", UNSORTED + "T"},
    {"ReadOnlyFile", File(UNSORTED + "T", fs::perms::owner_read), "", SORTED, "Permission denied", UNSORTED + "T"},
    {"ReadOnlyDirectory", [] { fs::permissions(".", fs::perms(0555)); }, "cannot be created (Permission denied)",
     BUILT_IN, "Permission denied", "<missing>"},
    {"ReadOnlyDirectoryWithFile", [] { Write("rank.vtd", UNSORTED + "T"), fs::permissions(".", fs::perms(0555)); }, "",
     SORTED, "", SORTED + "T"},
    {"Directory", [] { fs::create_directory("rank.vtd"); }, "cannot be read (not a regular file)", BUILT_IN,
     "Not saved", "<not a file>"},
    {"NamedPipe", [] { ASSERT_EQ(mkfifo("rank.vtd", 0644), 0); }, "cannot be read (not a regular file)", BUILT_IN,
     "Not saved", "<not a file>"},
    {"LinkToAFileElsewhere",
     [] { Write("../elsewhere/rank.vtd", UNSORTED + "T"), fs::create_symlink("../elsewhere/rank.vtd", "rank.vtd"); },
     "", SORTED, "", "-> ../elsewhere/rank.vtd\n" + SORTED + "T"},
    {"LinkToAMissingFile", [] { fs::create_symlink("../elsewhere/new", "rank.vtd"); },
     "cannot be created (a link to a missing file)", BUILT_IN, "a link to a missing file",
     "-> ../elsewhere/new\n<missing>"},
    {"FullDisk", [] { fs::create_symlink("/dev/full", "rank.vtd"); }, "cannot be read (not a regular file)", BUILT_IN,
     "Not saved", "-> /dev/full\n<not a file>"},
    {"DeviceLinkedAfterStart", [] {}, "", BUILT_IN, "not a regular file", "-> /dev/null\n<not a file>",
     [] { fs::remove("rank.vtd"), fs::create_symlink("/dev/null", "rank.vtd"); }},
};

class HostileRankFile : public ShellTest, public testing::WithParamInterface<HostileCase> {
protected:
    void TearDown() override
    {
        ASSERT_EQ(seteuid(getuid()), 0); // back from a player's user id
        ShellTest::TearDown();
    }
};

// Start-up, a Start and a tick, then the ranking box; the file changes only when the ranking box has been shown.
TEST_P(HostileRankFile, StartPlayAndRankingBox)
{
    const HostileCase& c = GetParam();
    if (geteuid() == 0) {
        ASSERT_EQ(chown(".", NOBODY, NOBODY), 0);
        ASSERT_EQ(seteuid(NOBODY), 0);
    }
    ASSERT_TRUE(fs::create_directory("elsewhere") && fs::create_directory("game"));
    fs::current_path("game");
    c.make();
    const std::string before = Snapshot();
    const std::string afterStart = before == "<missing>" && !*c.startProblem ? BUILT_IN : before;

    if (*c.startProblem)
        m_sys.Then(IDOK);
    Open();
    EXPECT_TRUE(ShowsField());
    ASSERT_EQ(m_sys.m_boxes.size(), *c.startProblem ? 1u : 0u);
    if (*c.startProblem) {
        EXPECT_EQ(m_sys.m_boxes[0], std::string("The ranking file rank.vtd ") + c.startProblem +
                                        (std::string_view(c.startProblem).starts_with("cannot be read")
                                             ? ". The built-in ranking is used and the file is left unchanged."
                                             : ". The built-in ranking is used; new scores may not be saved.") +
                                        " [0x30]");
    }
    EXPECT_TRUE(Snapshot() == afterStart) << "after start-up";
    Start();
    EXPECT_TRUE(m_sys.Tick());
    EXPECT_TRUE(Snapshot() == afterStart) << "after playing";

    if (c.swap)
        c.swap();
    const std::size_t n = m_sys.m_boxes.size();
    m_sys.Then(IDOK);
    if (*c.saveError)
        m_sys.Then(IDOK);
    m_sys.Command(ID_RANKING);
    ASSERT_EQ(m_sys.m_boxes.size(), n + (*c.saveError ? 2 : 1));
    EXPECT_TRUE(TableBytes() == c.shown) << "the table shown";
    if (*c.saveError) {
        EXPECT_THAT(m_sys.m_boxes.back(), HasSubstr(std::string("\"rank.vtd\".\n") + c.saveError));
    }
    EXPECT_TRUE(Snapshot() == c.after) << "after the ranking box";
    EXPECT_TRUE(m_sys.Tick()) << "the game goes on";
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileRankFile, testing::ValuesIn(CASES),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
