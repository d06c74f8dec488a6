// Start-up and the ranking box against hostile "rank.vtd" files and directories, each in a child process.
#include "CGameApp.h"
#include "Runtime.h"
#include "ScriptedWindowSystem.h"
#include "ShellTestData.h"
#include "resource.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

// Player records u1..u5 with 10 to 50 points and reserved bytes r1..r5.
std::string U(int i)
{
    return Record("u" + std::to_string(i), 10 * i, std::int16_t(i), "r" + std::to_string(i));
}
const std::string UNSORTED = U(1) + U(2) + U(3) + U(4) + U(5);
const std::string SORTED = U(5) + U(4) + U(3) + U(2) + U(1);
// Without the file's last byte, u5's second reserved byte keeps its built-in zero.
const std::string SORTED_139 = SORTED.substr(0, 27) + '\0' + SORTED.substr(28);
// Names filling their field (one of 17 bytes among them), unsorted.
std::string NoNul(int i)
{
    return Record(std::string(i == 3 ? 17 : 20, "abcd\xff"[i - 1]), i, std::int16_t(i));
}
// A bad trail byte, a lone lead byte, undefined single bytes, unassigned rows; sorted.
const std::string BAD_CP932 = Record("\x81\x7f", 5, 1) + Record("ab\x82", 4, 1) + Record("\xfd\xfe\xff", 3, 1) +
                              Record("\x85\x40\xeb\x40", 2, 1) + Record("\x80\xa0", 1, 1);

std::string Pattern(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = char(gen() & 0xff);
    return s;
}
const std::string TAIL_1MB = Pattern((1 << 20) - 140, 1);
const std::string RANDOM = Pattern(200, 7);

// A little-endian field of record i (the machine's own order, as the ranking code requires).
template <class T>
T Field(const std::string& image, int i, int nOffset)
{
    T n;
    std::memcpy(&n, image.data() + 28 * i + nOffset, sizeof n);
    return n;
}
int Score(const std::string& image, int i)
{
    return Field<std::int32_t>(image, i, 20);
}
int Stage(const std::string& image, int i)
{
    return Field<std::int16_t>(image, i, 24);
}

// Higher score first, then lower stage; the random records have no ties, so any sort agrees.
std::string InRankingOrder(const std::string& image)
{
    std::vector<std::string> r;
    for (int i = 0; i < 5; ++i)
        r.push_back(image.substr(28 * i, 28));
    std::sort(r.begin(), r.end(), [](auto& a, auto& b) { return Score(a, 0) > Score(b, 0); });
    return r[0] + r[1] + r[2] + r[3] + r[4];
}

// The ranking box: the 37-byte header, then " %d : stage%02d  %06d  %-16s\n" per place.
std::string Report(const std::string& image)
{
    std::string text = "\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x40Ranking"
                       "\x81\x40\x81\x9a\x81\x99\x81\x9a\x81\x99\x81\x9a\x81\x99\n\n";
    for (int i = 0; i < 5; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, " %d : stage%02d  %06d  %-16.20s\n", i + 1, Stage(image, i), Score(image, i),
                      image.c_str() + 28 * i);
        text += line;
    }
    return text;
}

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

struct HostileCase {
    const char* name;
    std::function<void()> make; // in the game's directory; "../elsewhere" is free for link targets
    const char* startProblem;   // in the start-up box after "rank.vtd "; empty: no box
    std::string shown;          // the table in the ranking box
    const char* saveError;      // the reason in the error box after it; empty: saved
    std::string after;          // Snapshot() after the ranking box
};

void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.name;
}

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
    {"NamesWithoutNul", [] { Write("rank.vtd", NoNul(1) + NoNul(2) + NoNul(3) + NoNul(4) + NoNul(5)); }, "",
     NoNul(5) + NoNul(4) + NoNul(3) + NoNul(2) + NoNul(1), "", NoNul(5) + NoNul(4) + NoNul(3) + NoNul(2) + NoNul(1)},
    {"InvalidCodePage932", [] { Write("rank.vtd", BAD_CP932); }, "", BAD_CP932, "", BAD_CP932},
    {"NoReadPermission", [] { Write("rank.vtd", UNSORTED + "T", fs::perms::owner_write); },
     "cannot be read (Permission denied)", BUILT_IN, "Not saved", UNSORTED + "T"},
    {"ReadOnlyFile", [] { Write("rank.vtd", UNSORTED + "T", fs::perms::owner_read); }, "", SORTED, "Permission denied",
     UNSORTED + "T"},
    {"ReadOnlyDirectory", [] { fs::permissions(".", fs::perms(0555)); }, "cannot be created (Permission denied)",
     BUILT_IN, "Permission denied", "<missing>"},
    {"ReadOnlyDirectoryWithFile",
     [] {
         Write("rank.vtd", UNSORTED + "T");
         fs::permissions(".", fs::perms(0555));
     },
     "", SORTED, "", SORTED + "T"},
    {"Directory", [] { fs::create_directory("rank.vtd"); }, "cannot be read (not a regular file)", BUILT_IN,
     "Not saved", "<not a file>"},
    {"NamedPipe", [] { ASSERT_EQ(mkfifo("rank.vtd", 0644), 0); }, "cannot be read (not a regular file)", BUILT_IN,
     "Not saved", "<not a file>"},
    {"LinkToAFileElsewhere",
     [] {
         Write("../elsewhere/rank.vtd", UNSORTED + "T");
         fs::create_symlink("../elsewhere/rank.vtd", "rank.vtd");
     },
     "", SORTED, "", "-> ../elsewhere/rank.vtd\n" + SORTED + "T"},
    {"FullDisk", [] { fs::create_symlink("/dev/full", "rank.vtd"); }, "cannot be read (not a regular file)", BUILT_IN,
     "Not saved", "-> /dev/full\n<not a file>"},
};

// Start-up as the game does it, a Start and a tick, then the ranking box; the
// file must change only when the ranking box has been shown.
void PlayAsPlayer(const HostileCase& c)
{
    if (geteuid() == 0) {
        ASSERT_TRUE(setgroups(0, nullptr) == 0 && setgid(NOBODY) == 0 && setuid(NOBODY) == 0);
    }
    ASSERT_TRUE(fs::create_directory("elsewhere") && fs::create_directory("game"));
    fs::current_path("game");
    c.make();
    const std::string before = Snapshot();
    const std::string afterStart = before == "<missing>" && !*c.startProblem ? BUILT_IN : before;
    CFixedClockRuntime clock(FIELD_SECOND);
    SetRuntime(&clock);
    CBitmap field;
    DrawNewField(field);

    CScriptedWindowSystem sys;
    if (*c.startProblem)
        sys.Then(IDOK);
    ASSERT_TRUE(theApp.InitInstance());
    EXPECT_TRUE(SamePixels(sys.m_screen, field)) << "the ready field";
    ASSERT_EQ(sys.m_boxes.size(), *c.startProblem ? 1u : 0u);
    if (*c.startProblem) {
        EXPECT_THAT(sys.m_boxes[0], HasSubstr(std::string("rank.vtd ") + c.startProblem));
    }
    EXPECT_TRUE(Snapshot() == afterStart) << "after start-up";
    sys.Then(IDOK);
    sys.Command(ID_GAME_START);
    EXPECT_TRUE(sys.Tick());
    EXPECT_TRUE(Snapshot() == afterStart) << "after playing";

    const std::size_t n = sys.m_boxes.size();
    sys.Then(IDOK);
    if (*c.saveError)
        sys.Then(IDOK);
    sys.Command(ID_RANKING);
    ASSERT_EQ(sys.m_boxes.size(), n + (*c.saveError ? 2 : 1));
    EXPECT_EQ(sys.m_boxes[n], Report(c.shown));
    if (*c.saveError) {
        EXPECT_THAT(sys.m_boxes.back(), HasSubstr(std::string("\"rank.vtd\".\n") + c.saveError));
    }
    EXPECT_TRUE(Snapshot() == c.after) << "after the ranking box";
    EXPECT_TRUE(sys.Tick()) << "the game goes on";
}

class HostileRankFileTest : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileRankFileTest, GameStartsReportsAsDecidedAndChangesTheFileOnlyThroughTheRankingBox)
{
    char dir[] = "/tmp/vantrel-hostile-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_TRUE(geteuid() != 0 || chown(dir, NOBODY, NOBODY) == 0);
    std::fflush(nullptr);
    const pid_t pid = fork();
    ASSERT_NE(pid, -1);
    if (pid == 0) {
        alarm(CHILD_SECONDS);
        fs::current_path(dir);
        PlayAsPlayer(GetParam());
        std::fflush(nullptr);
        _exit(HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    // A read-only directory of a normal user would keep its entries.
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_directory() && !e.is_symlink())
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status) << " (SIGALRM: it hung)";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failures are printed above";
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileRankFileTest, testing::ValuesIn(CASES),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
