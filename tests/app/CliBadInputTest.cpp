// What ravelin-cli does with folders nobody tidied, broken program texts, Ctrl-C and a closed
// pipe, each run as a user runs the program. bench/budgets.sh measures the time and memory that
// large folders take.

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <grp.h>
#include <random>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ravelin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

struct How {
    bool asNobody = false;                   // drop to the unprivileged user when run as root
    int signal = 0;                          // sent once the program has had time to start
    bool closeOutputAfterFirstLine = false;  // as `| head -1` does
    std::string outputFile{};                // standard output goes there instead of a pipe
    bool terminalOutput = false;             // standard output is a terminal
};

// What the user saw.
struct Seen {
    int exitStatus = -1;  // 128 + the signal that ended it, as a shell gives it (SIGALRM: hung)
    std::string out;
    std::string err;
};

class Pipe {
  public:
    Pipe() { EXPECT_EQ(::pipe2(fds_, O_CLOEXEC), 0); }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        Close(0);
        Close(1);
    }
    int End(int end) const { return fds_[end]; }
    void Close(int end) {
        if (fds_[end] >= 0) {
            ::close(fds_[end]);
            fds_[end] = -1;
        }
    }
    // Appends what there is to read; false at the end of the stream.
    bool ReadInto(std::string& text) const {
        char buffer[65536];
        const ssize_t got = ::read(fds_[0], buffer, sizeof buffer);
        text.append(buffer, static_cast<size_t>(std::max<ssize_t>(got, 0)));
        return got > 0;
    }

  private:
    int fds_[2] = {-1, -1};
};

[[noreturn]] void Exec(const std::vector<std::string>& args, const How& how, int out, int err) {
    constexpr uid_t kNobody = 65534;
    ::alarm(30);  // a program that hangs dies of SIGALRM
    if (!how.outputFile.empty()) {
        out = ::open(how.outputFile.c_str(), O_WRONLY);
    }
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    if (how.asNobody && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
        ::_exit(127);
    }
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

// Standard error is read once standard output has ended: the program's few lines there wait in
// the pipe.
Seen Cli(std::vector<std::string> args, const How& how = {},
         const std::string& program = RAVELIN_CLI_PATH) {
    args.insert(args.begin(), program);
    How childHow = how;
    int terminal = -1;
    if (how.terminalOutput) {
        terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
        EXPECT_TRUE(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
        childHow.outputFile = ::ptsname(terminal);
    }
    Pipe out;
    Pipe err;
    const pid_t child = ::fork();
    if (child == 0) {
        Exec(args, childHow, out.End(1), err.End(1));
    }
    out.Close(1);
    err.Close(1);
    if (how.signal != 0) {
        ::usleep(300000);
        ::kill(child, how.signal);
    }
    Seen seen;
    while (out.ReadInto(seen.out) &&
           !(how.closeOutputAfterFirstLine && seen.out.find('\n') != std::string::npos)) {
    }
    out.Close(0);
    while (err.ReadInto(seen.err)) {
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    seen.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (terminal >= 0) {
        // What the terminal got stays readable until it says the other side is gone.
        char buffer[65536];
        for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;) {
            seen.out.append(buffer, static_cast<size_t>(got));
        }
        ::close(terminal);
    }
    return seen;
}

// Prose of 60 distinct words, enough for a test segment of 20.
std::string Prose() {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += "word" + std::to_string(1000 + i) + (i % 10 == 9 ? "\r\n" : " ");
    }
    return text;
}

std::string Headers(int count, const fs::path& folder) {
    const std::string files = count == 1 ? "There is one 'txt' file"
                                         : "There are " + std::to_string(count) + " 'txt' files";
    return files + " in the 1st folder:\n" + folder.string() + "\n\n" + files +
           " in the 2nd folder:\n" + folder.string() + "\n\n";
}

const std::string kSelfMatch =
    "File 'a.txt' [1] in the 1st folder matches\nfile 'a.txt' [2] in the 2nd folder.\n\n"
    "There is one match.\n";

TEST(CliBadInput, AnUnreadableFileIsNamedAndCountsAsTooSmall) {
    const TempFolder root;
    // Run as root, the program drops to nobody, who must reach the folder.
    fs::permissions(root.Path(), fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    fs::create_directory(root.Path() / "f");
    root.Write("f/a.txt", Prose());
    const std::string locked = root.Write("f/locked.txt", Prose());
    fs::permissions(locked, fs::perms::none);
    const Seen run = Cli({"scan", "--no-show", root / "f"}, {.asNobody = true});
    EXPECT_EQ(run.exitStatus, 0);
    const std::string named =
        "ravelin-cli: cannot read '" + locked + "': Permission denied (counted as too small)\n";
    EXPECT_EQ(run.err, named + named);  // once as a 1st-folder file, once as a 2nd-folder one
    EXPECT_EQ(run.out, Headers(2, root.Path() / "f") + kSelfMatch);
}

// Small versions of the folders bench/budgets.sh times: many tiny files, and a long line.
TEST(CliBadInput, OnlyTheOneTextAmongOddFilesIsCompared) {
    const TempFolder root;
    const fs::path folder = root.Path() / "f";
    fs::create_directory(folder);
    std::string line;
    for (int i = 0; line.size() < (4 << 20); ++i) {
        line += "caf\xC3\xA9 word" + std::to_string(i % 5000) + " \xE2\x80\x94 ";
    }
    root.Write("f/a.txt", line);
    for (int i = 0; i < 300; ++i) {
        root.Write("f/t" + std::to_string(i) + ".txt", "tiny");
    }
    std::string binary(1 << 16, '\0');  // a NUL in every 4th byte
    for (size_t i = 0; i < binary.size(); ++i) {
        binary[i] = i % 4 == 0 ? '\0' : static_cast<char>(i * 2654435761u >> 11);
    }
    std::string utf16 = "\xFF\xFE";
    for (const char c : Prose()) {
        utf16 += std::string{c, '\0'};
    }
    root.Write("f/empty.txt", "");
    root.Write("f/binary.txt", binary);
    root.Write("f/utf16.txt", utf16);
    root.Write("f/run.txt", std::string(1000000, 'a'));
    ASSERT_EQ(::mkfifo((folder / "fifo.txt").c_str(), 0600), 0);  // would block a plain open
    fs::create_directory(folder / "dir.txt");
    const Seen run = Cli({"scan", "--no-show", folder.string()});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, Headers(305, folder) + kSelfMatch);
    EXPECT_EQ(run.err, "");
}

TEST(CliBadInput, AClosedPipeEndsTheProgramQuietly) {
    const TempFolder root;
    fs::create_directory(root.Path() / "f");
    for (int i = 0; i < 60; ++i) {
        root.Write("f/copy" + std::to_string(i) + ".txt", Prose());
    }
    // 3,600 lines of TSV, more than the pipe holds once its reader is gone.
    const Seen run =
        Cli({"scan", "--format", "tsv", root / "f"}, {.closeOutputAfterFirstLine = true});
    EXPECT_EQ(run.exitStatus, 128 + SIGPIPE);
    EXPECT_EQ(run.err, "");
}

// A result that cannot be written whole is named on the error stream with status 1, whatever
// its kind; a -o file that cannot be created leaves nothing behind.
TEST(CliBadInput, AFailedWriteIsNamedAndEndsWithStatusOne) {
    const TempFolder root;
    const std::string text = root.Write("f/a.txt", Prose());
    const std::string full =
        "ravelin-cli: cannot write the standard output: No space left on device\n";
    const std::pair<std::vector<std::string>, std::string> runs[] = {
        {{"scan", root / "f"}, full},
        {{"scan", "--format", "tsv", root / "f"}, full},
        {{"words", text}, full},
        {{"scan", "-o", root / "no/such.txt", root / "f"},
         "ravelin-cli: cannot write '" + (root / "no/such.txt") + "': No such file or directory\n"},
    };
    for (const auto& [args, message] : runs) {
        const Seen run = Cli(args, {.outputFile = args[1] == "-o" ? "" : "/dev/full"});
        EXPECT_EQ(run.exitStatus, 1) << args[0] << " " << args[1];
        EXPECT_EQ(run.err, message);
    }
    EXPECT_FALSE(fs::exists(root / "no"));
}

TEST(CliBadInput, TheCapIsNoticedOnceAndTsvListsEveryMatch) {
    const TempFolder root;
    for (int i = 0; i < 60; ++i) {
        root.Write("f/copy" + std::to_string(i) + ".txt", Prose());
    }
    const Seen report = Cli({"scan", root / "f"});
    size_t inReport = 0;
    for (size_t at = 0; (at = report.out.find("\nfile '", at)) != std::string::npos; ++at) {
        ++inReport;
    }
    EXPECT_EQ(report.err, "ravelin-cli: the report stopped at 64,000 characters after " +
                              std::to_string(inReport) +
                              " of 3600 matches; --format tsv or json lists every match\n");
    const Seen tsv = Cli({"scan", "--format", "tsv", "-o", root / "pairs.tsv", root / "f"});
    EXPECT_EQ(tsv.err, "");
    std::ifstream pairs(root / "pairs.tsv");
    EXPECT_EQ(std::count(std::istreambuf_iterator<char>(pairs), {}, '\n'), 3600);
}

// A folder the literal scan at N = 100 takes minutes for, about a millisecond a pair.
std::vector<std::string> SlowScan(const TempFolder& root) {
    fs::create_directory(root.Path() / "slow");
    std::mt19937 random(9);
    for (int f = 0; f < 150; ++f) {
        std::string text;
        for (int i = 0; i < 400; ++i) {
            text += "w" + std::to_string(1000 + random() % 5000) + " ";
        }
        root.Write("slow/f" + std::to_string(f) + ".txt", text);
    }
    return {"scan", "--literal", "--words", "100", root / "slow"};
}

TEST(CliBadInput, CtrlCPrintsTheReportSoFar) {
    const TempFolder root;
    const Seen run = Cli(SlowScan(root), {.signal = SIGINT});
    EXPECT_EQ(run.exitStatus, 130);
    EXPECT_TRUE(run.out.ends_with("\nSTOPPED\n")) << run.out;
}

// Whatever ends the scan before its summary, the file -o names keeps what it held, and no
// temporary file is left beside it.
TEST(CliBadInput, AScanThatDoesNotCompleteLeavesTheOutputFileAsItWas) {
    const TempFolder root;
    fs::create_directory(root.Path() / "EMPTY");
    fs::create_directory(root.Path() / "out");
    std::vector<std::string> slow = SlowScan(root);
    const std::string keep = root.Write("out/keep", "GOOD\n");
    const std::vector<std::string> emptyScan = {"scan", "--format", "tsv",
                                                "-o",   keep,       root / "EMPTY"};
    slow.insert(slow.begin() + 1, {"--format", "tsv", "-o", keep});
    const std::tuple<std::vector<std::string>, int, int> runs[] = {
        {emptyScan, 0, 1},
        {slow, SIGTERM, 128 + SIGTERM},
        {slow, SIGHUP, 128 + SIGHUP},
        {slow, SIGINT, 130},
    };
    for (const auto& [args, signal, status] : runs) {
        const Seen run = Cli(args, {.signal = signal});
        EXPECT_EQ(run.exitStatus, status) << signal;
        EXPECT_EQ(testing::Read(keep), "GOOD\n") << signal;
        EXPECT_EQ(std::distance(fs::directory_iterator(root.Path() / "out"), {}), 1) << signal;
    }
}

TEST(CliBadInput, TwoRunsWithTheSameOutputEachWriteAWholeFile) {
    const TempFolder root;
    for (int i = 0; i < 40; ++i) {
        root.Write("f/copy" + std::to_string(i) + ".txt", Prose());
    }
    const std::string out = root / "out";
    const std::string formats[] = {"tsv", "groups"};
    std::string alone[2];
    for (size_t k = 0; k < 2; ++k) {
        alone[k] = Cli({"scan", "--format", formats[k], root / "f"}).out;
    }
    for (int round = 0; round < 3; ++round) {
        std::future<Seen> runs[2];
        for (size_t k = 0; k < 2; ++k) {
            runs[k] = std::async(std::launch::async, [&, k] {
                return Cli({"scan", "--format", formats[k], "-o", out, root / "f"});
            });
        }
        for (std::future<Seen>& run : runs) {
            EXPECT_EQ(run.get().exitStatus, 0);
        }
        const std::string written = testing::Read(out);
        EXPECT_TRUE(written == alone[0] || written == alone[1]) << written.substr(0, 200);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root.Path()), {}), 2);
}

TEST(CliBadInput, AFifoOrADeviceAsOutputIsWrittenAndKept) {
    const TempFolder root;
    root.Write("f/a.txt", Prose());
    const std::string fifo = root / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::future<std::string> reader =
        std::async(std::launch::async, [&] { return testing::Read(fifo); });
    EXPECT_EQ(Cli({"scan", "--format", "tsv", "-o", fifo, root / "f"}).exitStatus, 0);
    EXPECT_EQ(reader.get(), "a.txt\ta.txt\t100\t2\t0\n");
    EXPECT_TRUE(fs::is_fifo(fifo));
    if (::geteuid() == 0) {  // a device of the test's own, never the system's
        const std::string null = root / "null";
        ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        EXPECT_EQ(Cli({"scan", "-o", null, root / "f"}).exitStatus, 0);
        EXPECT_TRUE(fs::is_character_file(null));
    }
}

TEST(CliBadInput, OutputNamesItCannotTakeAreUsageErrors) {
    const TempFolder root;
    const std::string text = root.Write("f/a.txt", Prose());
    root.Write("g/b.txt", Prose());
    fs::create_symlink(text, root / "link");
    const std::pair<std::vector<std::string>, std::string> runs[] = {
        {{"scan", "-o", "", root / "f"}, "ravelin-cli: -o needs the name of a file\n"},
        {{"scan", "-o", text, root / "f"},
         "ravelin-cli: -o '" + text + "' is a file the scan reads; name another file\n"},
        {{"scan", "-o", root / "link", root / "g", root / "f"},
         "ravelin-cli: -o '" + (root / "link") + "' is a file the scan reads; name another file\n"},
    };
    for (const auto& [args, message] : runs) {
        const Seen run = Cli(args);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.err, message);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(testing::Read(text), Prose());
}

TEST(CliBadInput, AnOutputNameOfTheLongestLengthIsWritten) {
    const TempFolder root;
    root.Write("f/a.txt", Prose());
    const std::string out = root / (std::string(248, 'n') + ".tsv");
    EXPECT_EQ(Cli({"scan", "--format", "tsv", "-o", out, root / "f"}).exitStatus, 0);
    EXPECT_EQ(testing::Read(out), "a.txt\ta.txt\t100\t2\t0\n");
}

// The report keeps a name's bytes, as the window shows them, except on a terminal, which an
// escape sequence in a name would drive.
TEST(CliBadInput, AReportOnATerminalShowsTheControlBytesOfNames) {
    const TempFolder root;
    root.Write("f/red\x1b[31m.txt", Prose());
    const std::string file = root / "report.txt";
    EXPECT_EQ(Cli({"scan", "-o", file, root / "f"}).exitStatus, 0);
    EXPECT_NE(testing::Read(file).find("File 'red\x1b[31m.txt'"), std::string::npos);
    const Seen shown = Cli({"scan", root / "f"}, {.terminalOutput = true});
    EXPECT_EQ(shown.exitStatus, 0);
    EXPECT_NE(shown.out.find("File 'red\\x1b[31m.txt'"), std::string::npos) << shown.out;
    EXPECT_EQ(shown.out.find('\x1b'), std::string::npos);
}

TEST(CliBadInput, MissingProgramTextsStopWithTheirMessage) {
    const TempFolder root;
    fs::create_directory(root.Path() / "bin");
    fs::copy_file(RAVELIN_CLI_PATH, root / "bin/ravelin-cli");
    fs::copy_file(VANTLIB6_PATH, root.Path() / "bin" / fs::path(VANTLIB6_PATH).filename());
    const Seen run = Cli({"scan", "."}, {}, root / "bin/ravelin-cli");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, "ravelin-cli: Cannot open file containing program text.\n" +
                           (root / "bin/rvn.dat") + "\n");
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace ravelin
