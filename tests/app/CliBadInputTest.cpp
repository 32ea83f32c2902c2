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
#include <grp.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ravelin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

struct How {
    bool asNobody = false;                   // drop to the unprivileged user when run as root
    bool interrupt = false;                  // SIGINT once the program has had time to start
    bool closeOutputAfterFirstLine = false;  // as `| head -1` does
    std::string outputFile{};                // standard output goes there instead of a pipe
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
    Pipe out;
    Pipe err;
    const pid_t child = ::fork();
    if (child == 0) {
        Exec(args, how, out.End(1), err.End(1));
    }
    out.Close(1);
    err.Close(1);
    if (how.interrupt) {
        ::usleep(300000);
        ::kill(child, SIGINT);
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

TEST(CliBadInput, CtrlCPrintsTheReportSoFar) {
    const TempFolder root;
    fs::create_directory(root.Path() / "f");
    std::mt19937 random(9);
    for (int f = 0; f < 150; ++f) {
        std::string text;
        for (int i = 0; i < 400; ++i) {
            text += "w" + std::to_string(1000 + random() % 5000) + " ";
        }
        root.Write("f/f" + std::to_string(f) + ".txt", text);
    }
    // The literal scan at N = 100 takes about a millisecond a pair: minutes for this folder.
    const std::vector<std::string> args = {"scan", "--literal", "--words", "100", root / "f"};
    const Seen run = Cli(args, {.interrupt = true});
    EXPECT_EQ(run.exitStatus, 130);
    EXPECT_TRUE(run.out.ends_with("\nSTOPPED\n")) << run.out;
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
