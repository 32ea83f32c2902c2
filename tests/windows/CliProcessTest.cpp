// ravelin-cli.exe run as a Windows user runs it: its arguments come from the wide command line,
// its standard output is a pipe or a file, and it finds its texts beside itself.
// tests/app/CliBadInputTest.cpp has the runs that need POSIX (signals, another user, /dev/full).

#include "NonAsciiFolder.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <windows.h>

namespace ravelin {
namespace {

namespace fs = std::filesystem;
using testing::PathOf;
using testing::TempFolder;

struct Seen {
    DWORD exitStatus = 0;
    std::string out;
    std::string err;
};

std::wstring Wide(const std::string& utf8) {
    return PathOf(utf8).wstring();
}

// As the C runtime splits a command line: quotes around each argument, backslashes doubled only
// before a quote.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

fs::path TestProgramFolder() {
    wchar_t path[MAX_PATH];
    return fs::path(std::wstring(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH)))
        .parent_path();
}

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class Handle {
  public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    HANDLE Get() const { return handle_; }
    HANDLE* Out() { return &handle_; }
    void Close() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
        handle_ = nullptr;
    }

  private:
    HANDLE handle_;
};

// Standard output through a pipe, which is closed once a line has come when `closeAfterFirstLine`
// says so; standard error to a file.
Seen Cli(const std::vector<std::string>& args, const fs::path& workingFolder,
         bool closeAfterFirstLine = false, fs::path program = {}) {
    if (program.empty()) {
        program = TestProgramFolder() / "ravelin-cli.exe";
    }
    const TempFolder streams;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Handle outRead;
    Handle outWrite;
    EXPECT_TRUE(::CreatePipe(outRead.Out(), outWrite.Out(), &inherit, 0));
    ::SetHandleInformation(outRead.Get(), HANDLE_FLAG_INHERIT, 0);
    const fs::path errPath = streams.Path() / "err.txt";
    Handle err(::CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr));
    Handle in(::CreateFileW(L"NUL", GENERIC_READ, 0, &inherit, OPEN_EXISTING, 0, nullptr));
    std::wstring commandLine = Quoted(program.wstring());
    for (const std::string& arg : args) {
        commandLine += L" " + Quoted(Wide(arg));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.Get();
    startup.hStdOutput = outWrite.Get();
    startup.hStdError = err.Get();
    PROCESS_INFORMATION process{};
    const BOOL started =
        ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                         workingFolder.c_str(), &startup, &process);
    EXPECT_TRUE(started) << ::GetLastError();
    Seen seen;
    if (!started) {
        return seen;
    }
    Handle child(process.hProcess);
    Handle thread(process.hThread);
    outWrite.Close();
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(outRead.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        seen.out.append(buffer, got);
        if (closeAfterFirstLine && seen.out.find('\n') != std::string::npos) {
            break;
        }
    }
    outRead.Close();
    EXPECT_EQ(::WaitForSingleObject(child.Get(), 60000), WAIT_OBJECT_0) << "hung";
    ::GetExitCodeProcess(child.Get(), &seen.exitStatus);
    err.Close();
    seen.err = ReadAll(errPath);
    return seen;
}

// Byte for byte, line ends included: the standard output is written in binary, so its lines end
// with "\n" as on every platform.
TEST(CliProcess, ScansTheSamplesAsOnEveryPlatform) {
    const Seen run =
        Cli({"scan", "data/samples/first", "data/samples/second"}, PathOf(RAVELIN_SOURCE_DIR));
    EXPECT_EQ(run.exitStatus, 0U);
    EXPECT_EQ(run.err, "");
    // The file holds the report as the window's output box does, with CR LF and no last line end.
    std::string expected = ReadAll(PathOf(RAVELIN_SOURCE_DIR "/tests/data/samples-report.txt"));
    for (size_t at; (at = expected.find("\r\n")) != std::string::npos;) {
        expected.erase(at, 1);
    }
    EXPECT_EQ(run.out, expected + "\n");
}

TEST(CliProcess, NamesOutsideAsciiArriveAndScanAsOnEveryPlatform) {
    const TempFolder root;
    testing::WriteNonAsciiFolder(root);
    const Seen run = Cli({"scan", testing::kNonAsciiFolderName}, root.Path());
    EXPECT_EQ(run.exitStatus, 0U);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, ReadAll(PathOf(RAVELIN_SOURCE_DIR "/tests/data/non-ascii-report.txt")));
}

// A file named outside the ANSI code page is read for the page, and -o makes the name it is given.
TEST(CliProcess, OutputsReadAndWriteNamesOutsideAscii) {
    const TempFolder root;
    testing::WriteNonAsciiFolder(root);
    const std::string page = "\xCE\xB1 caf\xC3\xA9.html";
    const Seen html = Cli({"scan", "--format", "html", "-o", page, testing::kNonAsciiFolderName},
                          root.Path());
    EXPECT_EQ(html.exitStatus, 0U) << html.err;
    const std::string written = ReadAll(root.Path() / PathOf(page));
    // Each matched file's text is in the page, and none came out empty.
    EXPECT_NE(written.find("Caf\xC3\xA9 na\xC3\xAFve"), std::string::npos);
    EXPECT_NE(written.find("caf\xC3\xA9 NA\xC3\x8FVE"), std::string::npos);
    EXPECT_EQ(written.find(R"("",[]])"), std::string::npos);
    const std::string list = "caf\xC3\xA9-out.tsv";
    const Seen tsv =
        Cli({"scan", "--format", "tsv", "-o", list, testing::kNonAsciiFolderName}, root.Path());
    EXPECT_EQ(tsv.exitStatus, 0U) << tsv.err;
    const Seen printed = Cli({"scan", "--format", "tsv", testing::kNonAsciiFolderName}, root.Path());
    EXPECT_EQ(ReadAll(root.Path() / PathOf(list)), printed.out);
    EXPECT_NE(printed.out, "");
}

// Windows has no SIGPIPE: the failed write itself must stop the scan.
TEST(CliProcess, AClosedPipeEndsTheScanWithStatusOne) {
    const TempFolder root;
    std::string prose;
    for (int i = 0; i < 60; ++i) {
        prose += "word" + std::to_string(1000 + i) + " ";
    }
    for (int i = 0; i < 300; ++i) {
        root.Write("f/copy" + std::to_string(i) + ".txt", prose);
    }
    // 90,000 lines of TSV, far more than the pipe holds.
    const Seen run = Cli({"scan", "--format", "tsv", "f"}, root.Path(), true);
    EXPECT_EQ(run.exitStatus, 1U);
    EXPECT_TRUE(run.err.starts_with("ravelin-cli: cannot write the standard output: ")) << run.err;
}

TEST(CliProcess, MissingProgramTextsNameTheirWindowsPath) {
    const TempFolder root;
    const fs::path bin = root.Path() / "bin";
    fs::create_directory(bin);
    for (const char* file : {"ravelin-cli.exe", "vantlib6.dll"}) {
        fs::copy_file(TestProgramFolder() / file, bin / file);
    }
    const Seen run = Cli({"scan", "."}, root.Path(), false, bin / "ravelin-cli.exe");
    EXPECT_EQ(run.exitStatus, 1U);
    EXPECT_EQ(run.err, "ravelin-cli: Cannot open file containing program text.\n" +
                           testing::Utf8Of(bin) + "\\rvn.dat\n");
}

}  // namespace
}  // namespace ravelin
