// Start-up and the ranking box against hostile "rank.vtd" files and directories, each in a child process.
#include "CGame.h"
#include "CGameApp.h"
#include "DC.h"
#include "Runtime.h"
#include "ScriptedWindowSystem.h"
#include "resource.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {

// Root passes every permission check, so as root each case runs as "nobody".
constexpr uid_t NOBODY = 65534;
// A case still running after this many seconds is hanging (a pipe read) and is killed.
constexpr unsigned CHILD_SECONDS = 10;
constexpr std::time_t FIELD_SECOND = 1031788800;

// One 28-byte record as the file holds it; name fills the whole 20-byte field when longer.
std::string Record(std::string name, std::int32_t nScore, std::int16_t nStage, std::string reserved = {"\0\0", 2})
{
    name.resize(20, '\0');
    for (int i = 0; i < 4; ++i)
        name += char((std::uint32_t(nScore) >> (8 * i)) & 0xff);
    return name + char(nStage & 0xff) + char((nStage >> 8) & 0xff) + reserved;
}

// "くるま", "つくえ", "めがね", "かばん", "いす" with 5000 to 1000 points, stages 10 to 6.
const std::string BUILT_IN = Record("\x82\xad\x82\xe9\x82\xdc", 5000, 10) + Record("\x82\xc2\x82\xad\x82\xa6", 4000, 9)
    + Record("\x82\xdf\x82\xaa\x82\xcb", 3000, 8) + Record("\x82\xa9\x82\xce\x82\xf1", 2000, 7)
    + Record("\x82\xa2\x82\xb7", 1000, 6);

// Player records u1..u5 with 10 to 50 points and reserved bytes r1..r5.
std::string U(int i)
{
    return Record("u" + std::to_string(i), 10 * i, std::int16_t(i), "r" + std::to_string(i));
}
const std::string UNSORTED = U(1) + U(2) + U(3) + U(4) + U(5);
const std::string SORTED = U(5) + U(4) + U(3) + U(2) + U(1);
// Without the file's last byte, u5's second reserved byte keeps its built-in zero.
const std::string SORTED_139 = SORTED.substr(0, 27) + '\0' + SORTED.substr(28);

std::string Pattern(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = char(gen() & 0xff);
    return s;
}
// Names filling their field (one of 17 bytes among them), unsorted.
std::string NoNul(int i)
{
    return Record(std::string(i == 3 ? 17 : 20, "abcd\xff"[i - 1]), i, std::int16_t(i));
}
const std::string NO_NUL = NoNul(1) + NoNul(2) + NoNul(3) + NoNul(4) + NoNul(5);
const std::string NO_NUL_SORTED = NoNul(5) + NoNul(4) + NoNul(3) + NoNul(2) + NoNul(1);
// A bad trail byte, a lone lead byte, undefined single bytes, unassigned rows; sorted.
const std::string BAD_CP932 = Record("\x81\x7f", 5, 1) + Record("ab\x82", 4, 1) + Record("\xfd\xfe\xff", 3, 1)
    + Record("\x85\x40\xeb\x40", 2, 1) + Record("\x80\xa0", 1, 1);

const std::string TAIL_1MB = Pattern((1 << 20) - 140, 1);
const std::string RANDOM = Pattern(200, 7);

// A record's little-endian fields (the machine's own order, as the ranking code requires).
int Score(const std::string& r) { std::int32_t n; std::memcpy(&n, r.data() + 20, 4); return n; }
int Stage(const std::string& r) { std::int16_t n; std::memcpy(&n, r.data() + 24, 2); return n; }

// Higher score first, then lower stage; random records have no ties, so any sort agrees.
std::string InRankingOrder(const std::string& image)
{
    std::vector<std::string> r;
    for (int i = 0; i < 5; ++i)
        r.push_back(image.substr(28 * i, 28));
    std::sort(r.begin(), r.end(), [](auto& a, auto& b) {
        return Score(a) > Score(b) || (Score(a) == Score(b) && Stage(a) < Stage(b));
    });
    return r[0] + r[1] + r[2] + r[3] + r[4];
}

// The ranking box: the 37-byte header, then " %d : stage%02d  %06d  %-16s\n" per place.
std::string Report(const std::string& image)
{
    std::string text = "\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x40Ranking"
                       "\x81\x40\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\n\n";
    for (int i = 0; i < 5; ++i) {
        const std::string r = image.substr(28 * i, 28), name = r.substr(0, std::min<std::size_t>(r.find('\0'), 20));
        char line[80];
        std::snprintf(line, sizeof line, " %d : stage%02d  %06d  %-16s\n", i + 1, Stage(r), Score(r), name.c_str());
        text += line;
    }
    return text;
}

// What is under "rank.vtd": a link with its target, a file's bytes, or the kind of thing.
std::string Snapshot(const fs::path& p = "rank.vtd")
{
    const fs::file_status st = fs::symlink_status(p);
    switch (st.type()) {
    case fs::file_type::not_found: return "<missing>";
    case fs::file_type::symlink: return "-> " + fs::read_symlink(p).string() + "\n" + Snapshot(fs::read_symlink(p));
    case fs::file_type::directory: return "<directory>";
    case fs::file_type::fifo: return "<fifo>";
    case fs::file_type::regular: break;
    default: return "<device>";
    }
    fs::permissions(p, st.permissions() | fs::perms::owner_read); // our own unreadable file
    std::ifstream in(p, std::ios::binary);
    std::string bytes {std::istreambuf_iterator<char>(in), {}};
    fs::permissions(p, st.permissions());
    return bytes;
}

testing::AssertionResult SameBytes(const std::string& got, const std::string& want)
{
    if (got == want)
        return testing::AssertionSuccess();
    const auto diff = std::mismatch(got.begin(), got.end(), want.begin(), want.end()).first - got.begin();
    return testing::AssertionFailure() << got.size() << " bytes instead of " << want.size() << ", first difference at "
                                       << diff << (got.size() < 64 ? ": " + got : "");
}

void Write(const char* name, const std::string& bytes, fs::perms perms = fs::perms(0644))
{
    std::ofstream(name, std::ios::binary) << bytes;
    fs::permissions(name, perms);
}

struct HostileCase {
    const char* name;
    std::function<void()> make;  // in the game's directory; "../elsewhere" is free for link targets
    const char* startProblem;    // in the start-up box after "rank.vtd "; empty: no box
    std::string shown;           // the table in the ranking box
    const char* saveError;       // the reason in the error box after it; empty: saved
    std::string after;           // Snapshot() after the ranking box
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

const HostileCase CASES[] = {
    {"Missing", [] {}, "", BUILT_IN, "", BUILT_IN},
    {"Empty", [] { Write("rank.vtd", ""); }, "", BUILT_IN, "", BUILT_IN},
    {"OneByte", [] { Write("rank.vtd", "Z"); }, "", "Z" + BUILT_IN.substr(1), "", "Z" + BUILT_IN.substr(1)},
    {"Bytes139", [] { Write("rank.vtd", UNSORTED.substr(0, 139)); }, "", SORTED_139, "", SORTED_139},
    {"Bytes140", [] { Write("rank.vtd", UNSORTED); }, "", SORTED, "", SORTED},
    {"Bytes141", [] { Write("rank.vtd", UNSORTED + "T"); }, "", SORTED, "", SORTED + "T"},
    {"OneMegabyte", [] { Write("rank.vtd", UNSORTED + TAIL_1MB); }, "", SORTED, "", SORTED + TAIL_1MB},
    {"RandomBytes", [] { Write("rank.vtd", RANDOM); }, "", InRankingOrder(RANDOM), "",
     InRankingOrder(RANDOM) + RANDOM.substr(140)},
    {"NamesWithoutNul", [] { Write("rank.vtd", NO_NUL); }, "", NO_NUL_SORTED, "", NO_NUL_SORTED},
    {"InvalidCodePage932", [] { Write("rank.vtd", BAD_CP932); }, "", BAD_CP932, "", BAD_CP932},
    {"NoReadPermission", [] { Write("rank.vtd", UNSORTED + "T", fs::perms::owner_write); },
     "cannot be read (Permission denied)", BUILT_IN, "Not saved", UNSORTED + "T"},
    {"ReadOnlyFile", [] { Write("rank.vtd", UNSORTED + "T", fs::perms::owner_read); }, "", SORTED, "Permission denied",
     UNSORTED + "T"},
    {"ReadOnlyDirectory", [] { fs::permissions(".", fs::perms(0555)); }, "cannot be created (Permission denied)",
     BUILT_IN, "Permission denied", "<missing>"},
    {"ReadOnlyDirectoryWithFile", [] { Write("rank.vtd", UNSORTED + "T"); fs::permissions(".", fs::perms(0555)); }, "",
     SORTED, "", SORTED + "T"},
    {"Directory", [] { fs::create_directory("rank.vtd"); }, "cannot be read (not a regular file)", BUILT_IN,
     "Not saved", "<directory>"},
    {"NamedPipe", [] { ASSERT_EQ(mkfifo("rank.vtd", 0644), 0); }, "cannot be read (not a regular file)", BUILT_IN,
     "Not saved", "<fifo>"},
    {"LinkToAFileElsewhere",
     [] {
         Write("../elsewhere/rank.vtd", UNSORTED + "T");
         fs::create_symlink("../elsewhere/rank.vtd", "rank.vtd");
     },
     "", SORTED, "", "-> ../elsewhere/rank.vtd\n" + SORTED + "T"},
    {"FullDisk", [] { fs::create_symlink("/dev/full", "rank.vtd"); }, "cannot be read (not a regular file)", BUILT_IN,
     "Not saved", "-> /dev/full\n<device>"},
};

class HostileRankFileTest : public testing::TestWithParam<HostileCase> {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/vantrel-hostile-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
        if (geteuid() == 0) {
            ASSERT_EQ(chown(dir, NOBODY, NOBODY), 0);
        }
    }
    void TearDown() override
    {
        // A read-only directory of a normal user would keep its entries.
        for (const auto& e : fs::recursive_directory_iterator(m_dir))
            if (e.is_directory() && !e.is_symlink())
                fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }
    void PlayAsPlayer(const HostileCase& c);

    fs::path m_dir;
};

// Start-up as the game does it, a Start and a tick, then the ranking box; the
// file must change only when the ranking box has been shown.
void HostileRankFileTest::PlayAsPlayer(const HostileCase& c)
{
    ASSERT_EQ(chdir(m_dir.c_str()), 0);
    if (geteuid() == 0) {
        ASSERT_TRUE(setgroups(0, nullptr) == 0 && setgid(NOBODY) == 0 && setuid(NOBODY) == 0);
    }
    ASSERT_TRUE(fs::create_directory("elsewhere") && fs::create_directory("game"));
    ASSERT_EQ(chdir("game"), 0);
    c.make();
    const std::string before = Snapshot();
    const std::string afterStart = before == "<missing>" && !*c.startProblem ? BUILT_IN : before;

    CFixedClockRuntime clock(FIELD_SECOND);
    SetRuntime(&clock);
    CBitmap field;
    field.CreateBitmap(640, 400);
    CDC dc;
    dc.SelectObject(&field);
    CGame().DrawField(dc);

    CScriptedWindowSystem sys;
    if (*c.startProblem)
        sys.Then(IDOK);
    ASSERT_TRUE(theApp.InitInstance());
    EXPECT_TRUE(std::equal(field.Bits(), field.Bits() + 640 * 400, sys.m_screen.Bits())) << "the ready field";
    ASSERT_EQ(sys.m_boxes.size(), *c.startProblem ? 1u : 0u);
    if (*c.startProblem) {
        EXPECT_THAT(sys.m_boxes[0].text, HasSubstr(std::string("rank.vtd ") + c.startProblem));
    }
    EXPECT_TRUE(SameBytes(Snapshot(), afterStart)) << "after start-up";
    sys.Then(IDOK);
    sys.Command(ID_GAME_START);
    EXPECT_TRUE(sys.Tick());
    EXPECT_TRUE(SameBytes(Snapshot(), afterStart)) << "after playing";

    const std::size_t n = sys.m_boxes.size();
    sys.Then(IDOK);
    if (*c.saveError)
        sys.Then(IDOK);
    sys.Command(ID_RANKING);
    ASSERT_EQ(sys.m_boxes.size(), n + (*c.saveError ? 2 : 1));
    EXPECT_EQ(sys.m_boxes[n].text, Report(c.shown));
    if (*c.saveError) {
        EXPECT_THAT(sys.m_boxes[n + 1].text, HasSubstr(std::string("\"rank.vtd\".\n") + c.saveError));
    }
    EXPECT_TRUE(SameBytes(Snapshot(), c.after)) << "after the ranking box";
    EXPECT_TRUE(sys.Tick()) << "the game goes on";
}

TEST_P(HostileRankFileTest, GameStartsReportsAsDecidedAndChangesTheFileOnlyThroughTheRankingBox)
{
    std::fflush(nullptr);
    const pid_t pid = fork();
    ASSERT_NE(pid, -1);
    if (pid == 0) {
        alarm(CHILD_SECONDS);
        PlayAsPlayer(GetParam());
        std::fflush(nullptr);
        _exit(HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status) << " (SIGALRM: it hung)";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failures are printed above";
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileRankFileTest, testing::ValuesIn(CASES),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
