// What ravelin-cli does with folders nobody tidied: special files, unreadable files and folders,
// binary and huge files, strange names, a hundred thousand files, a report past its cap, broken
// program texts, Ctrl-C and a closed pipe. Each case runs the real program with a time limit.

#include "ProcessRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace ravelin {
namespace {

namespace fs = std::filesystem;
using testing::ProcessOptions;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempFolder;

// Prose of 60 distinct words, enough for a test segment of 20.
std::string Prose(int seed = 0) {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += "word" + std::to_string(1000 + seed * 100 + i) + (i % 10 == 9 ? "\r\n" : " ");
    }
    return text;
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// One line per case for the record of what a user sees.
void Record(const std::string& what, const ProcessResult& run) {
    std::cout << "[case] " << what << " | exit "
              << (run.exited ? std::to_string(run.exitStatus)
                             : "signal " + std::to_string(run.signal))
              << " | " << run.seconds << " s | " << run.peakKilobytes / 1024 << " MB\n";
}

// Peak memory is the program's own only without the sanitizers' shadow memory.
void ExpectPeakBelow(const ProcessResult& run, long bytes) {
#ifdef RAVELIN_SANITIZED
    static_cast<void>(run);
    static_cast<void>(bytes);
#else
    EXPECT_LT(run.peakKilobytes * 1024L, bytes) << "peak memory";
#endif
}

ProcessOptions Limits(double seconds, bool asNobody = false) {
    ProcessOptions options;
    options.timeoutSeconds = seconds;
    options.asNobody = asNobody;
    return options;
}

ProcessOptions Interrupting(double afterSeconds, int times) {
    ProcessOptions options = Limits(30);
    options.interruptAfterSeconds = afterSeconds;
    options.interrupts = times;
    return options;
}

ProcessOptions ClosingOutputAfterFirstLine() {
    ProcessOptions options = Limits(60);
    options.closeOutputAfterFirstLine = true;
    return options;
}

ProcessResult Cli(std::vector<std::string> args, ProcessOptions options = Limits(60)) {
    args.insert(args.begin(), RAVELIN_CLI_PATH);
    options.args = args;
    return RunProcess(options);
}

std::string Header(int count, const std::string& ordinal, const std::string& folder) {
    return (count == 1 ? "There is one 'txt' file"
                       : "There are " + std::to_string(count) + " 'txt' files") +
           " in the " + ordinal + " folder:\n" + folder + "\n\n";
}

TEST(CliBadInput, SpecialFilesAreNotFilesAndNeverBlock) {
    const TempFolder root;
    const fs::path folder = root.Path() / "mixed";
    fs::create_directory(folder);
    Write(folder / "a.txt", Prose());
    Write(root.Path() / "outside.txt", Prose());
    ASSERT_EQ(::mkfifo((folder / "fifo.txt").c_str(), 0600), 0);
    fs::create_directory(folder / "dir.txt");
    fs::create_symlink(folder / "missing", folder / "dangling.txt");
    fs::create_symlink(folder / "loop.txt", folder / "loop.txt");
    fs::create_symlink(root.Path() / "outside.txt", folder / "w.txt");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (folder / "socket.txt").string();
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    const ProcessResult run =
        Cli({"scan", "--no-show", "--format", "tsv", folder.string()}, Limits(20));
    ::close(sock);
    Record("FIFO, socket, directory, dangling link, link loop named *.txt; link outside", run);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out,
              "a.txt\ta.txt\t100\t2\t0\nw.txt\ta.txt\t100\t2\t0\n"
              "a.txt\tw.txt\t100\t2\t0\nw.txt\tw.txt\t100\t2\t0\n");
    EXPECT_EQ(run.err, "");
}

class AsNobody : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testing::CanRunAsNobody()) {
            GTEST_SKIP() << "switching to an unprivileged user needs root";
        }
        fs::permissions(root_.Path(),
                        fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
    }
    TempFolder root_;
};

TEST_F(AsNobody, AnUnreadableFileIsNamedAndCountsAsTooSmall) {
    const fs::path folder = root_.Path() / "f";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    Write(folder / "a.txt", Prose());
    Write(folder / "locked.txt", Prose());
    fs::permissions(folder / "a.txt", fs::perms::owner_read | fs::perms::others_read);
    fs::permissions(folder / "locked.txt", fs::perms::none);
    const ProcessResult run = Cli({"scan", "--no-show", folder.string()}, Limits(20, true));
    Record("unreadable file (as nobody)", run);
    EXPECT_EQ(run.exitStatus, 0);
    const std::string locked = (folder / "locked.txt").string();
    EXPECT_EQ(run.err, "ravelin-cli: cannot read '" + locked +
                           "': Permission denied (counted as too small)\n"
                           "ravelin-cli: cannot read '" +
                           locked + "': Permission denied (counted as too small)\n");
    EXPECT_EQ(run.out, Header(2, "1st", folder) + Header(2, "2nd", folder) +
                           "File 'a.txt' [1] in the 1st folder matches\nfile 'a.txt' [2] in the "
                           "2nd folder.\n\nThere is one match.\n");
}

TEST_F(AsNobody, AnUnreadableFolderStopsTheScanWithItsReason) {
    const fs::path folder = root_.Path() / "closed";
    fs::create_directory(folder);
    Write(folder / "a.txt", Prose());
    fs::permissions(folder, fs::perms::owner_all);
    const ProcessResult run = Cli({"scan", folder.string()}, Limits(20, true));
    Record("unreadable folder (as nobody)", run);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "ravelin-cli: Get 1st folder files\nThe 1st folder cannot be read:\n" +
                           folder.string() + "\nPermission denied\n");
}

TEST(CliBadInput, FilesWithoutWordsAreTooSmall) {
    const TempFolder root;
    const fs::path folder = root.Path() / "odd";
    fs::create_directory(folder);
    Write(folder / "empty.txt", "");
    std::mt19937 random(3);
    std::string binary(1 << 20, '\0');
    for (char& c : binary) {
        c = static_cast<char>(random() % 4 == 0 ? 0 : random());
    }
    Write(folder / "binary.txt", binary);
    std::string utf16;
    for (const char c : Prose()) {
        utf16 += c;
        utf16 += '\0';
    }
    Write(folder / "utf16-bom.txt", "\xFF\xFE" + utf16);
    Write(folder / "utf16-be.txt", std::string(1, '\0') + utf16.substr(0, utf16.size() - 1));
    Write(folder / "run.txt", std::string(1000000, 'a'));
    const ProcessResult run = Cli({"scan", folder.string()}, Limits(30));
    Record("empty, binary, UTF-16 with and without BOM, 1,000,000-letter run", run);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out,
              Header(5, "1st", folder) + Header(5, "2nd", folder) + "There are no matches.\n");
}

TEST(CliBadInput, AHugeSingleLineFileTakesLinearTimeAndBoundedMemory) {
    const TempFolder root;
    const fs::path folder = root.Path() / "huge";
    fs::create_directory(folder);
    constexpr size_t kSize = size_t{300} << 20;
    {
        std::ofstream out(folder / "huge.txt", std::ios::binary);
        std::string chunk;
        for (int i = 0; chunk.size() < (1 << 20); ++i) {
            chunk += "caf\xC3\xA9 word" + std::to_string(i % 5000) + " \xE2\x80\x94 ";
        }
        for (size_t written = 0; written < kSize; written += chunk.size()) {
            out << chunk;
        }
    }
    const ProcessResult run = Cli({"scan", "--no-show", folder.string()}, Limits(120));
    Record("300 MB single-line file", run);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, Header(1, "1st", folder) + Header(1, "2nd", folder) +
                           "File 'huge.txt' [1] in the 1st folder matches\nfile 'huge.txt' [2] in "
                           "the 2nd folder.\n\nThere is one match.\n");
    ExpectPeakBelow(run, static_cast<long>(3 * kSize));
}

TEST(CliBadInput, StrangeNamesAreReportedAndKeptApartInTsv) {
    const TempFolder root;
    const fs::path folder = root.Path() / "names";
    fs::create_directory(folder);
    for (const char* name : {"bad\xFF.txt", "new\nline.txt", "tab\there.txt", "#hash.txt",
                             "quo'te\".txt", " leading.txt"}) {
        Write(folder / name, Prose());
    }
    const ProcessResult tsv = Cli({"scan", "--format", "tsv", folder.string()});
    Record("names: not UTF-8, newline, tab, #, quotes, leading space", tsv);
    EXPECT_EQ(tsv.exitStatus, 0);
    EXPECT_EQ(std::count(tsv.out.begin(), tsv.out.end(), '\n'), 36);
    EXPECT_NE(tsv.out.find("new\\nline.txt\ttab\\there.txt\t100"), std::string::npos);
    EXPECT_NE(tsv.out.find("bad\xFF.txt\t"), std::string::npos);  // raw bytes, to open the file
    const ProcessResult report = Cli({"scan", "--no-show", folder.string()});
    EXPECT_NE(report.out.find("File 'bad\xEF\xBF\xBD.txt' [1]"), std::string::npos);
    EXPECT_NE(report.out.find("file ' leading.txt' [2]"), std::string::npos);
    EXPECT_TRUE(report.out.ends_with("There are 36 matches.\n"));
}

TEST(CliBadInput, AHundredThousandTinyFiles) {
    const TempFolder root;
    const fs::path folder = root.Path() / "many";
    fs::create_directory(folder);
    for (int i = 0; i < 100000; ++i) {
        Write(folder / ("t" + std::to_string(i) + ".txt"), "tiny");
    }
    const ProcessResult run = Cli({"scan", folder.string()}, Limits(120));
    Record("100,000 tiny files", run);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, Header(100000, "1st", folder) + Header(100000, "2nd", folder) +
                           "There are no matches.\n");
    ExpectPeakBelow(run, 200L * 1024 * 1024);
}

class ManyMatches : public ::testing::Test {
  protected:
    ManyMatches() {
        fs::create_directory(folder_);
        for (int i = 0; i < 60; ++i) {
            Write(folder_ / ("copy" + std::to_string(100 + i) + ".txt"), Prose());
        }
    }
    TempFolder root_;
    fs::path folder_ = root_.Path() / "copies";
};

TEST_F(ManyMatches, TheReportStopsAtItsCapWhileTsvListsEveryMatch) {
    const ProcessResult report = Cli({"scan", "--show", "100", folder_.string()});
    Record("3,600 matches, past the report's cap", report);
    EXPECT_EQ(report.exitStatus, 0);
    EXPECT_LT(report.out.size(), 64000u + 2 * 3600u);
    EXPECT_TRUE(report.out.ends_with("\n\n\n\n"));  // no summary: it no longer fits
    const ProcessResult tsv = Cli({"scan", "--format", "tsv", folder_.string()});
    EXPECT_EQ(std::count(tsv.out.begin(), tsv.out.end(), '\n'), 3600);
}

TEST_F(ManyMatches, AClosedPipeEndsTheProgramQuietly) {
    const ProcessResult run =
        Cli({"scan", "--format", "tsv", folder_.string()}, ClosingOutputAfterFirstLine());
    Record("report into a closed pipe (| head -1)", run);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.signal, SIGPIPE);
    EXPECT_EQ(run.err, "");
}

TEST(CliBadInput, CtrlCStopsTheScanAndPrintsTheReportSoFar) {
    const TempFolder root;
    const fs::path folder = root.Path() / "slow";
    fs::create_directory(folder);
    std::mt19937 random(9);
    for (int f = 0; f < 150; ++f) {
        std::string text;
        for (int i = 0; i < 400; ++i) {
            text += "w" + std::to_string(1000 + random() % 5000) + " ";
        }
        Write(folder / ("f" + std::to_string(f) + ".txt"), text);
    }
    // The literal scan at N = 100 takes about a millisecond a pair: minutes for this folder.
    const std::vector<std::string> args = {"scan", "--literal", "--words", "100", folder.string()};
    const ProcessResult once = Cli(args, Interrupting(1.0, 1));
    Record("Ctrl-C during a scan", once);
    EXPECT_EQ(once.exitStatus, 130);
    EXPECT_TRUE(once.out.ends_with("\nSTOPPED\n"));
    EXPECT_TRUE(once.out.starts_with(Header(150, "1st", folder)));

    const ProcessResult twice = Cli(args, Interrupting(1.0, 2));
    Record("Ctrl-C twice", twice);
    EXPECT_EQ(twice.exitStatus, 130);
    EXPECT_LT(twice.seconds, 10.0);
}

class BrokenProgramTexts : public ::testing::Test {
  protected:
    BrokenProgramTexts() {
        fs::create_directory(bin_);
        fs::copy_file(RAVELIN_CLI_PATH, bin_ / "ravelin-cli");
        fs::copy_file(VANTLIB6_PATH, bin_ / fs::path(VANTLIB6_PATH).filename());
        fs::permissions(root_.Path(),
                        fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    }
    ProcessResult Run(bool asNobody = false) const {
        ProcessOptions options = Limits(20, asNobody);
        options.args = {(bin_ / "ravelin-cli").string(), "scan", "."};
        return RunProcess(options);
    }
    TempFolder root_;
    fs::path bin_ = root_.Path() / "bin";
};

TEST_F(BrokenProgramTexts, EachFailureHasItsMessageAndANonZeroExit) {
    struct Row {
        const char* what;
        std::optional<std::string> file;  // no file at all when empty
        std::string message;
    };
    const std::string path = (bin_ / "rvn.dat").string();
    const std::vector<Row> rows = {
        {"missing program-text file", std::nullopt,
         "Cannot open file containing program text.\n" + path},
        {"empty program-text file", "", "File is empty."},
        {"duplicated number", "1\tOne\n2\tTwo\n1\tAgain\n", "Duplicate in program text at line 3."},
        {"over-long line", "1\tOne\n2\t" + std::string(5000, 'x') + "\n",
         "String too long at line 2."},
    };
    for (const Row& row : rows) {
        fs::remove(bin_ / "rvn.dat");
        if (row.file) {
            Write(bin_ / "rvn.dat", *row.file);
        }
        const ProcessResult run = Run();
        Record(row.what, run);
        EXPECT_EQ(run.exitStatus, 1) << row.what;
        EXPECT_EQ(run.err, "ravelin-cli: " + row.message + "\n") << row.what;
        EXPECT_EQ(run.out, "") << row.what;
    }
    fs::remove(bin_ / "rvn.dat");
    fs::create_directory(bin_ / "rvn.dat");
    const ProcessResult directory = Run();
    Record("program-text file that is a directory", directory);
    EXPECT_EQ(directory.err, "ravelin-cli: Error reading file.\n");
    fs::remove(bin_ / "rvn.dat");
    if (testing::CanRunAsNobody()) {
        Write(bin_ / "rvn.dat", "1\tOne\n");
        fs::permissions(bin_ / "rvn.dat", fs::perms::owner_read);
        const ProcessResult unreadable = Run(true);
        Record("unreadable program-text file (as nobody)", unreadable);
        EXPECT_EQ(unreadable.exitStatus, 1);
        EXPECT_EQ(unreadable.err,
                  "ravelin-cli: Cannot open file containing program text.\n" + path + "\n");
    }
}

}  // namespace
}  // namespace ravelin
