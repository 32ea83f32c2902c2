#include "support/FailingAllocation.h"
#include "support/TextFileFolder.h"
#include "support/vantlib6/vantlib6.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace ravelin {
namespace {

using testing::FailingAllocation;
using testing::TextFileFolder;

std::string Repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

std::string Texts(int first, int last) {
    std::string content;
    for (int n = first; n <= last; ++n) {
        content += std::to_string(n) + "\ttext " + std::to_string(n) + "\n";
    }
    return content;
}

int32_t LoadBytes(const std::string& bytes) {
    const TextFileFolder folder;
    return lt(folder.Write("texts.dat", bytes).c_str(), 0);
}

// The text as the library hands it out, or "<none>" when it answers 0.
std::string Fetch(int32_t n) {
    std::array<char, 8192> buffer{};
    const int32_t count = gt(n, 0, buffer.data(), static_cast<int32_t>(buffer.size()), 1);
    return count > 0 ? std::string(buffer.data(), static_cast<std::size_t>(count)) : "<none>";
}

int32_t FetchFromFreshLibrary() {
    std::array<char, 16> buffer{};
    return gt(1, 0, buffer.data(), static_cast<int32_t>(buffer.size()), 1);
}

struct LoadCase {
    const char* name;
    std::string content;
    int32_t expected;
};

TEST(Vantlib6Load, AnswersTheCodeThatFitsTheFile) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::vector<LoadCase> cases = {
        {"two texts", "1\tA\n2\tB\n", 2},
        {"no line break at the end", "1\tA\n2\tB", 2},
        {"byte order mark and CR LF line ends", bom + "# c\r\n1\tA\r\n\r\n7\tB\r\n", 2},
        {"comments and blank lines only", "# one\n\n   \n\t# two\n", 0},
        {"no bytes", "", -6},
        {"byte order mark only", bom, -6},
        {"no TAB in line 2", "1\tA\n2\n", -502},
        {"nothing after the TAB in line 2", "# c\n1\t\n", -502},
        {"no number before the TAB", "\tA", -501},
        {"a word for a number", "one\tA", -501},
        {"number with a sign", "-1\tA", -501},
        {"number 0", "0\tA", -501},
        {"highest number", "32767\tA", 1},
        {"number above the highest", "32768\tA", -501},
        {"space before the number", " 1\tA", -501},
        {"4096 characters", "1\t" + std::string(4096, 'a'), 1},
        {"4096 two-byte characters", "1\t" + Repeated("\xC3\xA9", 4096), 1},
        {"4097 characters in line 2", "# c\n1\t" + std::string(4097, 'a'), -1002},
        {"a line break escape counts as CR LF", "1\t" + std::string(4095, 'a') + "\\n", -1001},
        {"duplicate reported at the later line", "1\tA\n2\tB\n# c\n1\tC\n", -1504},
        {"500 lines", Texts(1, 500), 500},
        {"501 lines", Texts(1, 501), -3},
        {"500 lines, no line break at the end", Texts(1, 499) + "500\tA", 500},
        {"501 lines, no line break at the end", Texts(1, 500) + "501\tA", -3},
        {"501 lines, the last a comment", Texts(1, 500) + "# c\n", -3},
        {"missing string in line 500", Texts(1, 499) + "x\n", -1000},
        {"more than 1 MiB", "#" + std::string(1024 * 1024, 'x') + "\n1\tA\n", -3},
        {"broken UTF-8 in a text", "1\t\xC3\x28\n", -4},
        {"broken UTF-8 in a comment", "# \xFF\n1\tA\n", -4},
        {"NUL byte", std::string("1\tA\0B\n", 6), -4},
    };
    for (const LoadCase& c : cases) {
        EXPECT_EQ(LoadBytes(c.content), c.expected) << c.name;
    }
}

TEST(Vantlib6Load, AnswersCannotOpenWithoutAReadableFile) {
    const TextFileFolder folder;
    EXPECT_EQ(lt((folder.Path() + "/absent.dat").c_str(), 0), -1);
    EXPECT_EQ(lt("", 0), -1);
    EXPECT_EQ(lt(nullptr, 0), -1);
}

TEST(Vantlib6Load, RefusesWhatIsNotARegularFileWithoutBlocking) {
    const TextFileFolder folder;
    EXPECT_EQ(lt(folder.Path().c_str(), 0), -7);
    const std::string fifo = folder.Path() + "/texts.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opening a FIFO with no writer would wait forever; the alarm ends the test program instead.
    ::alarm(10);
    EXPECT_EQ(lt(fifo.c_str(), 0), -7);
    ::alarm(0);
}

TEST(Vantlib6Load, RefusesFlagsOtherThanZero) {
    const TextFileFolder folder;
    const std::string path = folder.Write("texts.dat", "1\tA\n");
    EXPECT_EQ(lt(path.c_str(), 1), -5);
    EXPECT_EQ(lt(path.c_str(), -1), -5);
}

TEST(Vantlib6Load, AnswersAllocationFailuresWithTheirCodes) {
    const TextFileFolder folder;
    std::string large;
    for (int n = 1; n <= 20; ++n) {
        large += std::to_string(n) + "\t" + std::string(3000, 'a') + "\n";
    }
    const std::string largePath = folder.Write("large.dat", large);
    {
        const FailingAllocation fileBuffer(large.size() / 2, SIZE_MAX);
        EXPECT_EQ(lt(largePath.c_str(), 0), -8);
    }
    // The file is larger than the window, its one text falls inside it.
    const std::string oneText = "#" + std::string(9000, 'x') + "\n1\t" + std::string(3000, 'a');
    const std::string oneTextPath = folder.Write("one.dat", oneText);
    {
        const FailingAllocation textBuffer(2048, 8192);
        EXPECT_EQ(lt(oneTextPath.c_str(), 0), -2);
    }
    EXPECT_EQ(lt(oneTextPath.c_str(), 0), 1);
}

TEST(Vantlib6Load, ReplacesTheTextsOnSuccessAndKeepsThemOnFailure) {
    ASSERT_EQ(LoadBytes("1\tfirst\n2\tsecond\n"), 2);
    EXPECT_EQ(LoadBytes("1\tbroken\n1\tduplicate\n"), -1502);
    EXPECT_EQ(Fetch(1), "first");
    ASSERT_EQ(LoadBytes("1\tnew\n"), 1);
    EXPECT_EQ(Fetch(1), "new");
    EXPECT_EQ(Fetch(2), "<none>");
}

TEST(Vantlib6Load, DecodesEscapesAndConvertsToWindows1252) {
    struct EscapeCase {
        const char* stored;
        std::string expected;
    };
    const std::vector<EscapeCase> cases = {
        {"two\\nlines", "two\r\nlines"},
        {"a\\tb", "a\tb"},
        {"back\\\\slash", "back\\slash"},
        {"\\\\n is no line break", "\\n is no line break"},
        {"C:\\dir kept", "C:\\dir kept"},
        {"trailing \\", "trailing \\"},
        {"caf\xC3\xA9", "caf\xE9"},
        {"\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xE2\x80\x93", "\x80 \x93q\x94 \x96"},
        {"\xCE\xA9 has no place", "? has no place"},
        {"~", "~"},
        {"  spaces kept  ", "  spaces kept  "},
    };
    std::string content;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        content += std::to_string(i + 1) + "\t" + cases[i].stored + "\r\n";
    }
    ASSERT_EQ(LoadBytes(content), static_cast<int32_t>(cases.size()));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(Fetch(static_cast<int32_t>(i + 1)), cases[i].expected) << cases[i].stored;
    }
}

TEST(Vantlib6Fetch, AnswersNothingForAWrongCall) {
    ASSERT_EQ(LoadBytes("1\tHello\n"), 1);
    struct Call {
        const char* name;
        int32_t n;
        int32_t selector;
        bool buffer;
        int32_t size;
        int32_t mode;
    };
    const std::vector<Call> calls = {
        {"unknown number", 2, 0, true, 16, 1},   {"number 0", 0, 0, true, 16, 1},
        {"negative number", -1, 0, true, 16, 1}, {"selector 1", 1, 1, true, 16, 1},
        {"no buffer", 1, 0, false, 16, 1},       {"size 0", 1, 0, true, 0, 1},
        {"negative size", 1, 0, true, -16, 1},   {"mode 2", 1, 0, true, 16, 2},
        {"negative mode", 1, 0, true, 16, -1},
    };
    for (const Call& call : calls) {
        std::array<char, 16> buffer{};
        buffer.fill('#');
        char* target = call.buffer ? buffer.data() : nullptr;
        EXPECT_EQ(gt(call.n, call.selector, target, call.size, call.mode), 0) << call.name;
        EXPECT_EQ(std::string(buffer.data(), buffer.size()), std::string(16, '#')) << call.name;
    }
}

TEST(Vantlib6Fetch, CopiesAsTheModeSays) {
    ASSERT_EQ(LoadBytes("1\tHello\n"), 1);
    struct Copy {
        int32_t size;
        int32_t mode;
        int32_t count;
        std::string buffer;
    };
    const std::vector<Copy> copies = {
        {8, 1, 5, "Hello###"},
        {5, 1, 5, "Hello###"},
        {3, 1, 3, "Hel#####"},
        {8, 0, 5, std::string("Hello\0##", 8)},
        {4, 0, 3, std::string("Hel\0####", 8)},
        {1, 0, 0, std::string("\0#######", 8)},
    };
    for (const Copy& copy : copies) {
        std::array<char, 8> buffer{};
        buffer.fill('#');
        EXPECT_EQ(gt(1, 0, buffer.data(), copy.size, copy.mode), copy.count)
            << "size " << copy.size << ", mode " << copy.mode;
        EXPECT_EQ(std::string(buffer.data(), buffer.size()), copy.buffer)
            << "size " << copy.size << ", mode " << copy.mode;
    }
}

TEST(Vantlib6Fetch, AnswersNothingBeforeAnyLoad) {
    // A fresh process, so that no earlier test has loaded texts.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(FetchFromFreshLibrary() == 0 ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

// A missing lock shows here only now and then (the sanitizer build makes each hit count); it is
// cheap enough to run every time.
TEST(Vantlib6Fetch, SeesWholeTextsWhileAnotherThreadLoads) {
    const TextFileFolder folder;
    const std::string shortText = "short";
    const std::string longText(3000, 'b');
    const std::string shortPath = folder.Write("short.dat", "1\t" + shortText + "\n");
    const std::string longPath = folder.Write("long.dat", "1\t" + longText + "\n");
    ASSERT_EQ(lt(shortPath.c_str(), 0), 1);
    std::atomic<int> torn{0};
    std::atomic<bool> loading{true};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&] {
            while (loading) {
                const std::string text = Fetch(1);
                if (text != shortText && text != longText) {
                    ++torn;
                }
            }
        });
    }
    for (int i = 0; i < 2000; ++i) {
        EXPECT_EQ(lt((i % 2 == 0 ? longPath : shortPath).c_str(), 0), 1);
    }
    loading = false;
    for (std::thread& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(torn, 0);
}

}  // namespace
}  // namespace ravelin
