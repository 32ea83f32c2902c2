#include "TempFolder.h"
#include "TextsForTests.h"
#include "support/LibraryTextCatalog.h"
#include "support/ProgramText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace ravelin {
namespace {

using testing::TempFolder;

// The codes with a message of their own are left out: their rows would only repeat the texts.
TEST(LoadProgramTextMessage, NamesThePathOrTheLineOrTheCode) {
    const std::pair<int32_t, std::string> rows[] = {
        {1, ""},
        {-5, "Error -5"},
        {-9, "Error -9"},
        {-500, "Error -500"},
        {-501, "Missing string at line 1."},
        {-1000, "Missing string at line 500."},
        {-1001, "String too long at line 1."},
        {-1500, "String too long at line 500."},
        {-1501, "Duplicate in program text at line 1."},
        {INT32_MIN, "Duplicate in program text at line 2147482148."},
    };
    for (const auto& [result, message] : rows) {
        EXPECT_EQ(LoadProgramTextMessage(result, "/opt/rvn.dat"), message) << result;
    }
}

TEST(LoadProgramText, JoinsFolderAndFileWithOneSeparator) {
#ifdef _WIN32
    EXPECT_EQ(ProgramTextPath("D:\\", "rvn.dat"), "D:\\rvn.dat");
    EXPECT_EQ(ProgramTextPath("D:\\Tools", "rvn.dat"), "D:\\Tools\\rvn.dat");
#else
    EXPECT_EQ(ProgramTextPath("/", "rvn.dat"), "/rvn.dat");
    EXPECT_EQ(ProgramTextPath("/opt", "rvn.dat"), "/opt/rvn.dat");
#endif
    const TempFolder folder;
    const std::string path = folder.Path().string();
    const ProgramTextLoad missing = LoadProgramText("rvn.dat", path + "/");
    EXPECT_FALSE(missing.loaded);
    EXPECT_EQ(missing.message, "Cannot open file containing program text.\r\n" + path + "/rvn.dat");
    folder.Write("rvn.dat", "# no text\n");
    EXPECT_FALSE(LoadProgramText("rvn.dat", path).loaded);
    folder.Write("rvn.dat", "1\tA\n");
    const ProgramTextLoad loaded = LoadProgramText("rvn.dat", path);
    EXPECT_TRUE(loaded.loaded);
    EXPECT_EQ(loaded.message, "");
}

TEST(ProgramText, HandsOutWindows1252CutToTheBufferWhichTheCatalogTurnsIntoUtf8) {
    const TempFolder folder;
    const std::string longer = std::string(1024, 'x') + "tail";
    const std::string utf8 = "Caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D \xE2\x82\xAC";
    folder.Write("rvn.dat", "1\t~\n2\t~~\n3\t" + longer + "\n4\t" + utf8 + "\\nend\n");
    ASSERT_TRUE(LoadProgramText("rvn.dat", folder.Path().string()).loaded);
    EXPECT_EQ(ProgramText(1), "");
    EXPECT_EQ(ProgramText(2), "~~");
    EXPECT_EQ(ProgramText(3), longer.substr(0, 1024));
    EXPECT_EQ(ProgramText(4), "Caf\xE9 \x93q\x94 \x80\r\nend");
    EXPECT_EQ(ProgramText(5), "");
    const LibraryTextCatalog catalog;
    EXPECT_EQ(catalog.Text(4), utf8 + "\r\nend");
}

// The build copies rvn.dat beside the test program, as beside every program.
TEST(ProgramText, ShippedFileHoldsTheProgramTexts) {
    const std::string folder = ProgramFolder();
    EXPECT_TRUE(testing::PathOf(folder).is_absolute()) << folder;
    EXPECT_FALSE(folder.ends_with('/') || folder.ends_with('\\')) << folder;
    const ProgramTextLoad load = LoadProgramText("rvn.dat", folder);
    ASSERT_TRUE(load.loaded) << load.message;
    // The scan's texts are those the tests that run without this file use.
    for (const auto& [n, text] : testing::ScanTexts()) {
        EXPECT_EQ(ProgramText(n), text) << "program text " << n;
    }
    for (const int n : {1, 3, 4, 5, 6, 17, 315}) {
        EXPECT_NE(ProgramText(n), "") << "program text " << n;
    }
}

}  // namespace
}  // namespace ravelin
