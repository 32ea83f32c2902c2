#include "TextsForTests.h"
#include "support/LibraryTextCatalog.h"
#include "support/ProgramText.h"
#include "support/TextFileFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

namespace ravelin {
namespace {

using testing::TextFileFolder;

ProgramTextLoad LoadFromFolder(const TextFileFolder& folder, const std::string& content) {
    folder.Write("rvn.dat", content);
    return LoadProgramText("rvn.dat", folder.Path());
}

TEST(ProgramTextPath, JoinsWithExactlyOneSlash) {
    EXPECT_EQ(ProgramTextPath("/opt/ravelin", "rvn.dat"), "/opt/ravelin/rvn.dat");
    EXPECT_EQ(ProgramTextPath("/opt/ravelin/", "rvn.dat"), "/opt/ravelin/rvn.dat");
    EXPECT_EQ(ProgramTextPath("/", "rvn.dat"), "/rvn.dat");
}

TEST(LoadProgramTextMessage, GivesTheMessageForEveryResult) {
    struct Row {
        int32_t result;
        std::string message;
    };
    const std::vector<Row> rows = {
        {1, ""},
        {500, ""},
        {0, "No program text was read."},
        {-1, "Cannot open file containing program text.\r\n/opt/ravelin/rvn.dat"},
        {-2, "Particular memory allocation error."},
        {-3, "Too much program text."},
        {-4, "Text not recovered."},
        {-5, "Error -5"},
        {-6, "File is empty."},
        {-7, "Error reading file."},
        {-8, "General memory allocation error."},
        {-9, "Error -9"},
        {-500, "Error -500"},
        {-501, "Missing string at line 1."},
        {-1000, "Missing string at line 500."},
        {-1001, "String too long at line 1."},
        {-1500, "String too long at line 500."},
        {-1501, "Duplicate in program text at line 1."},
        {-2000, "Duplicate in program text at line 500."},
        {INT32_MIN, "Duplicate in program text at line 2147482148."},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LoadProgramTextMessage(row.result, "/opt/ravelin/rvn.dat"), row.message)
            << "result " << row.result;
    }
}

TEST(LoadProgramText, LoadsFromAFolderWithOrWithoutTrailingSlash) {
    const TextFileFolder folder;
    folder.Write("rvn.dat", "1\tA\n2\tB\n");
    for (const std::string& programFolder : {folder.Path(), folder.Path() + "/"}) {
        const ProgramTextLoad load = LoadProgramText("rvn.dat", programFolder);
        EXPECT_TRUE(load.loaded) << programFolder;
        EXPECT_EQ(load.result, 2) << programFolder;
        EXPECT_EQ(load.fullPath, folder.Path() + "/rvn.dat") << programFolder;
        EXPECT_EQ(load.message, "") << programFolder;
    }
}

TEST(LoadProgramText, ExplainsAFailureWithTheFullPath) {
    const TextFileFolder folder;
    const ProgramTextLoad missing = LoadProgramText("rvn.dat", folder.Path() + "/");
    EXPECT_FALSE(missing.loaded);
    EXPECT_EQ(missing.result, -1);
    EXPECT_EQ(missing.message,
              "Cannot open file containing program text.\r\n" + folder.Path() + "/rvn.dat");

    const ProgramTextLoad duplicate = LoadFromFolder(folder, "# texts\n1\tA\n1\tB\n");
    EXPECT_FALSE(duplicate.loaded);
    EXPECT_EQ(duplicate.message, "Duplicate in program text at line 3.");

    const ProgramTextLoad onlyComments = LoadFromFolder(folder, "# nothing here\n");
    EXPECT_FALSE(onlyComments.loaded);
    EXPECT_EQ(onlyComments.message, "No program text was read.");
}

TEST(ProgramText, GivesNothingForTildeAndUnknownNumbers) {
    const TextFileFolder folder;
    ASSERT_TRUE(LoadFromFolder(folder, "1\t~\n2\t~~\n3\t ~\n").loaded);
    EXPECT_EQ(ProgramText(1), "");
    EXPECT_EQ(ProgramText(2), "~~");
    EXPECT_EQ(ProgramText(3), " ~");
    EXPECT_EQ(ProgramText(4), "");
    EXPECT_EQ(ProgramText(-1), "");
}

TEST(ProgramText, CutsTextsToTheBufferOf1024Characters) {
    const TextFileFolder folder;
    std::string longer;
    for (int i = 0; i < 1500; ++i) {
        longer.push_back(static_cast<char>('a' + i % 26));
    }
    const std::string exact(1024, 'x');
    ASSERT_TRUE(LoadFromFolder(folder, "1\t" + longer + "\n2\t" + exact + "\n").loaded);
    EXPECT_EQ(ProgramText(1), longer.substr(0, 1024));
    EXPECT_EQ(ProgramText(2), exact);
}

TEST(ProgramText, HandsOutWindows1252WhichTheCatalogTurnsIntoUtf8) {
    const TextFileFolder folder;
    const std::string utf8 =
        "Caf\xC3\xA9 \xE2\x80\x9Cna\xC3\xAFve\xE2\x80\x9D \xE2\x82\xAC"
        "5";
    ASSERT_TRUE(LoadFromFolder(folder,
                               "\xEF\xBB\xBF"
                               "1\t" +
                                   utf8 + "\\nend\n")
                    .loaded);
    EXPECT_EQ(ProgramText(1),
              "Caf\xE9 \x93na\xEFve\x94 \x80"
              "5\r\nend");
    const LibraryTextCatalog catalog;
    EXPECT_EQ(catalog.Text(1), utf8 + "\r\nend");
    EXPECT_EQ(catalog.Text(2), "");
}

// The build copies rvn.dat beside the test program, as beside every program.
TEST(ProgramText, ShippedFileHoldsTheProgramTexts) {
    const std::string folder = ProgramFolder();
    EXPECT_TRUE(folder.starts_with('/')) << folder;
    EXPECT_FALSE(folder.ends_with('/')) << folder;
    const ProgramTextLoad load = LoadProgramText("rvn.dat", folder);
    ASSERT_TRUE(load.loaded) << load.message;
    // The scan's texts are those the tests that run without this file use.
    std::map<int, std::string> texts = testing::ScanTexts();
    texts.insert({
        {1, "Ravelin"},
        {3, "folder saved in the settings no longer exists"},
        {4, "No .txt files"},
        {5, "1 .txt file"},
        {6,
         "Ravelin finds texts that are the same, or nearly the same, in two folders of .txt "
         "files. Choose the 1st and the 2nd folder (they may be the same folder), adjust the "
         "settings if you wish, and press Start."},
        {17, "Opening the online user manual in your web browser ..."},
        {315, "https://www.quillmere.example/"},
    });
    for (const auto& [n, text] : texts) {
        EXPECT_EQ(ProgramText(n), text) << "program text " << n;
    }
}

}  // namespace
}  // namespace ravelin
