#include "TempFolder.h"
#include "support/vantlib6/vantlib6.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ravelin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string Texts(int first, int last) {
    std::string content;
    for (int n = first; n <= last; ++n) {
        content += std::to_string(n) + "\ttext " + std::to_string(n) + "\n";
    }
    return content;
}

int32_t LoadBytes(const std::string& bytes) {
    const TempFolder folder;
    return lt(folder.Write("texts.dat", bytes).c_str(), 0);
}

// The text as the library hands it out, or "<none>" when it answers 0.
std::string Fetch(int32_t n) {
    std::array<char, 8192> buffer{};
    const int32_t count = gt(n, 0, buffer.data(), static_cast<int32_t>(buffer.size()), 1);
    return count > 0 ? std::string(buffer.data(), static_cast<std::size_t>(count)) : "<none>";
}

TEST(Vantlib6Load, AnswersTheCodeThatFitsTheFile) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::pair<std::string, int32_t> cases[] = {
        {"1\tA\n2\tB", 2},
        {bom + "# c\r\n1\tA\r\n\r\n7\tB\r\n", 2},
        {"# one\n\n   \n\t# two\n", 0},
        {bom, -6},
        {"1\tA\n2\n", -502},
        {"# c\n1\t\n", -502},
        {"one\tA", -501},
        {"0\tA", -501},
        {"32767\tA", 1},
        {"32768\tA", -501},
        {"1\t" + std::string(4095, 'a') + "\xC3\xA9", 1},  // 4096 characters in 4097 bytes
        {"# c\n1\t" + std::string(4097, 'a'), -1002},
        {"1\t" + std::string(4095, 'a') + "\\n", -1001},  // a line break escape is CR LF
        {"1\tA\n2\tB\n# c\n1\tC\n", -1504},
        {Texts(1, 500), 500},
        {Texts(1, 500) + "501\tA", -3},
        {Texts(1, 499) + "500\tA", 500},
        {Texts(1, 500) + "# c\n", -3},  // lines count, not texts
        {Texts(1, 499) + "x\n", -1000},
        {"#" + std::string(1024 * 1024, 'x') + "\n1\tA\n", -3},
        {"1\t\xC3\x28\n", -4},
        {"# \xFF\n1\tA\n", -4},
        {std::string("1\tA\0B\n", 6), -4},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(LoadBytes(cases[i].first), cases[i].second) << "case " << i;
    }
}

TEST(Vantlib6Load, AnswersForWhatIsNoProgramTextFile) {
    const TempFolder folder;
    const std::string file = folder.Write("texts.dat", "1\tA\n");
    EXPECT_EQ(lt(folder.Path().string().c_str(), 0), -7);
    EXPECT_EQ(lt((folder / "absent.dat").c_str(), 0), -1);
    EXPECT_EQ(lt(file.c_str(), 1), -5);
    EXPECT_EQ(lt(file.c_str(), 0), 1);
}

#ifdef _WIN32

TEST(Vantlib6Load, AFifoAnswersAndOpenFilesAreClosed) {
    GTEST_SKIP() << "needs a FIFO and /proc/self/fd";
}

#else

TEST(Vantlib6Load, AFifoAnswersAndOpenFilesAreClosed) {
    const TempFolder folder;
    const std::string fifo = folder / "texts.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string file = folder.Write("texts.dat", "1\tA\n");
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const auto filesBefore = openFiles();
    // Opening a FIFO with no writer would wait forever; the alarm ends the test program instead.
    ::alarm(10);
    EXPECT_EQ(lt(fifo.c_str(), 0), -7);
    ::alarm(0);
    EXPECT_EQ(lt((folder / "absent.dat").c_str(), 0), -1);
    EXPECT_EQ(lt(folder.Path().c_str(), 0), -7);
    EXPECT_EQ(lt(file.c_str(), 0), 1);
    EXPECT_EQ(openFiles(), filesBefore);
}

#endif

TEST(Vantlib6Load, ReplacesTheTextsOnSuccessAndKeepsThemOnFailure) {
    ASSERT_EQ(LoadBytes("1\tfirst\n2\tsecond\n"), 2);
    EXPECT_EQ(LoadBytes("1\tbroken\n1\tduplicate\n"), -1502);
    EXPECT_EQ(Fetch(1), "first");
    ASSERT_EQ(LoadBytes("1\tnew\n"), 1);
    EXPECT_EQ(Fetch(1), "new");
    EXPECT_EQ(Fetch(2), "<none>");
}

TEST(Vantlib6Load, DecodesEscapesAndConvertsToWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        {"two\\nlines", "two\r\nlines"},
        {"a\\tb", "a\tb"},
        {"\\\\n is no line break", "\\n is no line break"},
        {"C:\\dir kept", "C:\\dir kept"},
        {"trailing \\", "trailing \\"},
        {"caf\xC3\xA9 \xCE\xA9", "caf\xE9 ?"},
        {"  ~  ", "  ~  "},
    };
    std::string content;
    for (size_t i = 0; i < std::size(cases); ++i) {
        content += std::to_string(i + 1) + "\t" + cases[i].first + "\r\n";
    }
    ASSERT_EQ(LoadBytes(content), static_cast<int32_t>(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(Fetch(static_cast<int32_t>(i + 1)), cases[i].second) << cases[i].first;
    }
}

// A wrong call answers 0 and leaves the buffer alone.
TEST(Vantlib6Fetch, CopiesAsTheModeSays) {
    ASSERT_EQ(LoadBytes("1\tHello\n"), 1);
    struct Call {
        int32_t n;
        int32_t selector;
        bool buffer;
        int32_t size;
        int32_t mode;
        int32_t count;
        std::string after;
    };
    const std::string untouched = "########";
    const Call calls[] = {
        {1, 0, true, 8, 1, 5, "Hello###"},
        {1, 0, true, 3, 1, 3, "Hel#####"},
        {1, 0, true, 8, 0, 5, std::string("Hello\0##", 8)},
        {1, 0, true, 4, 0, 3, std::string("Hel\0####", 8)},
        {1, 0, true, 1, 0, 0, std::string("\0#######", 8)},
        {2, 0, true, 8, 1, 0, untouched},
        {1, 1, true, 8, 1, 0, untouched},
        {1, 0, false, 8, 1, 0, untouched},
        {1, 0, true, 0, 0, 0, untouched},
        {1, 0, true, -8, 1, 0, untouched},
        {1, 0, true, 8, 2, 0, untouched},
        {1, 0, true, 8, -1, 0, untouched},
    };
    for (size_t i = 0; i < std::size(calls); ++i) {
        const Call& call = calls[i];
        std::array<char, 8> buffer{};
        buffer.fill('#');
        char* target = call.buffer ? buffer.data() : nullptr;
        EXPECT_EQ(gt(call.n, call.selector, target, call.size, call.mode), call.count) << i;
        EXPECT_EQ(std::string(buffer.data(), buffer.size()), call.after) << i;
    }
}

// A missing lock shows here only now and then (the sanitizer build makes each hit count); it is
// cheap enough to run every time.
}  // namespace
}  // namespace ravelin
