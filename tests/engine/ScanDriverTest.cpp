#include "FakeScanView.h"
#include "TempFolder.h"
#include "engine/ScanDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ravelin {
namespace {

using testing::FakeScanView;
using testing::MapTextCatalog;
using testing::ScanTexts;
using testing::TempFolder;

// Distinct five-character words w0000, w0001, ... as lines of ten words.
std::string Words(int from, int count, const std::string& before = "") {
    std::string text = before;
    for (int i = 0; i < count; ++i) {
        char word[16];
        std::snprintf(word, sizeof word, "w%04d", from + i);
        text += word;
        text += (i % 10 == 9) ? "\r\n" : " ";
    }
    return text;
}

std::string FirstWordsOf(int from, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char word[16];
        std::snprintf(word, sizeof word, "%sw%04d", i == 0 ? "" : " ", from + i);
        text += word;
    }
    return text;
}

class ScanDriverTest : public ::testing::Test {
  protected:
    ScanDriverTest()
        : driver_(view_, catalog_, [] {
              return std::make_unique<SequentialSecondPass>(std::make_unique<LiteralPairMatcher>());
          }) {}

    void MakeFolders() {
        std::filesystem::create_directory(root_.Path() / "first");
        std::filesystem::create_directory(root_.Path() / "second");
        first_ = root_ / "first";
        second_ = root_ / "second";
        view_.folders[0] = first_;
        view_.folders[1] = second_;
    }
    void WriteFirst(const std::string& name, const std::string& text) const {
        std::ofstream(std::filesystem::path(first_) / name, std::ios::binary) << text;
    }
    void WriteSecond(const std::string& name, const std::string& text) const {
        std::ofstream(std::filesystem::path(second_) / name, std::ios::binary) << text;
    }

    // Two 1st-folder files and a too-small one; an exact copy, a copy with three words in
    // front, an unrelated text and a too-small file in the 2nd folder.
    void MakeStandardFolders() {
        MakeFolders();
        WriteFirst("a1.txt", Words(0, 60));
        WriteFirst("a2.txt", Words(100, 60));
        WriteFirst("small.txt", Words(300, 39));
        WriteSecond("b1.txt", Words(0, 60));
        WriteSecond("b2.txt", Words(0, 57, "extra words here "));
        WriteSecond("b3.txt", Words(200, 60));
        WriteSecond("tiny.txt", Words(0, 5));
    }

    std::string Header() const {
        return "There are 3 'txt' files in the 1st folder:\r\n" + first_ +
               "\r\n\r\nThere are 4 'txt' files in the 2nd folder:\r\n" + second_ + "\r\n\r\n";
    }

    TempFolder root_;
    std::string first_;
    std::string second_;
    MapTextCatalog catalog_{ScanTexts()};
    FakeScanView view_;
    ScanDriver driver_;
};

TEST_F(ScanDriverTest, ACompleteScanReportsEachMatchingPairOnce) {
    MakeStandardFolders();
    driver_.cmdStart_Click();
    const std::string same = "\r\n[1] " + FirstWordsOf(0, 10) + "\r\n[2] {same}\r\n\r\n";
    EXPECT_EQ(driver_.Log().Text(),
              Header() +
                  "File 'a1.txt' [1] in the 1st folder matches\r\nfile 'b1.txt' [2] in "
                  "the 2nd folder." +
                  same +
                  "File 'a1.txt' [1] in the 1st folder matches\r\nfile 'b2.txt' [2] in the 2nd "
                  "folder." +
                  same + "There are 2 matches.");
    EXPECT_EQ(view_.shownLog, driver_.Log().Text());
    EXPECT_TRUE(driver_.ScanCompleted());
    EXPECT_EQ(driver_.MatchCount(), 2);
    EXPECT_EQ(view_.start, "Start");
    EXPECT_EQ(view_.quit, "Quit");
    EXPECT_TRUE(view_.controlsEnabled);
    EXPECT_TRUE(view_.makerLabels);
    EXPECT_EQ(view_.formHeight, kLargeFormHeight);
    EXPECT_EQ(view_.outputHeight, kLargeOutputHeight);
    EXPECT_EQ(view_.duplicatesLabel, "2 duplicates found.");
    EXPECT_EQ(view_.duplicatesLabels.front(), "No duplicates found yet.");
    EXPECT_EQ(view_.duplicatesLabels.at(1), "One duplicate found.");
    EXPECT_EQ(view_.waits, 4);  // one wait per 2nd-folder file
    EXPECT_TRUE(view_.messages.empty());
    // Yields: one per listed file (3 + 4), one per 1st-folder file, and per 2nd-folder file one
    // plus one per pair, except for the too-small tiny.txt, which compares nothing.
    EXPECT_EQ(view_.yields, 7 + 3 + 4 + 3 * 3);
}

TEST_F(ScanDriverTest, SummaryLineFollowsTheMatchCount) {
    MakeFolders();
    WriteFirst("a.txt", Words(0, 40));
    WriteSecond("b.txt", Words(500, 40));
    driver_.cmdStart_Click();
    EXPECT_TRUE(driver_.Log().Text().ends_with("\r\n\r\nThere are no matches."));
    EXPECT_EQ(view_.formHeight, kSmallFormHeight);

    WriteSecond("b.txt", Words(0, 40));
    driver_.cmdStart_Click();
    EXPECT_TRUE(driver_.Log().Text().ends_with("{same}\r\n\r\nThere is one match."));
}

TEST_F(ScanDriverTest, ReportLinesFollowTheDisplaySettings) {
    MakeFolders();
    WriteFirst("a.txt", Words(0, 40));
    std::string edited = Words(0, 40);
    edited.replace(edited.find("w0005"), 5, "zzzzz");  // 19 of the first 20 positions agree
    WriteSecond("b.txt", edited);
    view_.settings[SettingField::NumWordsOfReducedTextToDisplay] = "5";
    driver_.cmdStart_Click();
    EXPECT_NE(driver_.Log().Text().find(
                  "[2] in the 2nd folder (though not exactly).\r\n[1] w0000 w0001 w0002 w0003 "
                  "w0004\r\n[2] w0000 w0001 w0002 w0003 w0004\r\n\r\n"),
              std::string::npos);

    view_.displayState = 0;
    driver_.cmdStart_Click();
    EXPECT_NE(driver_.Log().Text().find("(though not exactly).\r\n\r\nThere is one match."),
              std::string::npos);
}

TEST_F(ScanDriverTest, SettingsAreValidatedInOrderBeforeAnything) {
    MakeStandardFolders();
    struct Row {
        SettingField field;
        std::string text;
        std::string message;
    };
    const Row rows[] = {
        {SettingField::NumWordsToCompare, "19",
         "Number of words in test segment\r\n must not be less than 20."},
        {SettingField::NumWordsOfReducedTextToDisplay, " ",
         "Number of words to display\r\nmust not be empty."},
        {SettingField::MatchThreshold, "101",
         "Threshold for similarity\r\n must not be greater than 100."},
        {SettingField::NumWordsToSkip1st, "-5",
         "Number of words to skip in the 1st folder\r\n must not be less than 0."},
        {SettingField::NumWordsToSkip2nd, "1,000",
         "Number of words to skip in the 2nd folder\r\n must not be greater than 500."},
    };
    for (const Row& row : rows) {
        FakeScanView view;
        view.folders[0] = first_;
        view.folders[1] = second_;
        view.settings[row.field] = row.text;
        view.settings[SettingField::NumWordsToSkip2nd] =
            row.field == SettingField::NumWordsToSkip2nd ? row.text : "also bad";
        ScanDriver driver(view, catalog_, [] {
            return std::make_unique<SequentialSecondPass>(std::make_unique<LiteralPairMatcher>());
        });
        driver.cmdStart_Click();
        ASSERT_EQ(view.messages.size(), 1u) << row.text;
        EXPECT_EQ(view.messages[0].text, row.message);
        EXPECT_EQ(view.messages[0].title, "Invalid input");
        EXPECT_EQ(view.messages[0].icon, MessageIcon::Information);
        EXPECT_TRUE(driver.Log().Empty());
        EXPECT_EQ(view.start, "Start");
    }
}

TEST_F(ScanDriverTest, FoldersAreCheckedFirstThenSecond) {
    MakeFolders();
    struct Row {
        std::string folder1;
        std::string folder2;
        std::string message;
        std::string title;
        MessageIcon icon;
    };
    const std::string missing = root_ / "missing";
    const std::vector<Row> rows = {
        {"   ", second_, "Please specify the 1st folder.", "Specify folder", MessageIcon::None},
        {first_, "", "Please specify the 2nd folder.", "Specify folder", MessageIcon::None},
        {"  " + missing + " ", second_, "The folder '" + missing + "' does not exist.",
         "Specify folder", MessageIcon::Exclamation},
        {first_, missing, "The folder '" + missing + "' does not exist.", "Specify folder",
         MessageIcon::Exclamation},
    };
    for (const Row& row : rows) {
        view_.messages.clear();
        view_.folders[0] = row.folder1;
        view_.folders[1] = row.folder2;
        driver_.cmdStart_Click();
        ASSERT_EQ(view_.messages.size(), 1u);
        EXPECT_EQ(view_.messages[0].text, row.message);
        EXPECT_EQ(view_.messages[0].title, row.title);
        EXPECT_EQ(view_.messages[0].icon, row.icon);
    }
    EXPECT_EQ(view_.folders[0], first_);  // written back trimmed...
    view_.folders[0] = "   ";
    driver_.cmdStart_Click();
    EXPECT_EQ(view_.folders[0], "");  // ...and a box of spaces is left empty
}

TEST_F(ScanDriverTest, AFolderWithoutTextFilesEndsTheScanWithoutStopped) {
    MakeFolders();
    WriteFirst("notes.doc", Words(0, 60));
    driver_.cmdStart_Click();
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].text, "There are no 'txt' files in the first folder:\r\n" + first_);
    EXPECT_EQ(view_.messages[0].title, "Get 1st folder files");
    EXPECT_EQ(view_.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(driver_.Log().Text(), "");
    EXPECT_EQ(view_.start, "Start");
    EXPECT_TRUE(view_.controlsEnabled);
    EXPECT_FALSE(driver_.ScanCompleted());

    WriteFirst("a.txt", Words(0, 60));
    driver_.cmdStart_Click();
    ASSERT_EQ(view_.messages.size(), 2u);
    EXPECT_EQ(view_.messages[1].text,
              "There are no 'txt' files in the second folder:\r\n" + second_);
    EXPECT_EQ(view_.messages[1].title, "Get 2nd folder files");
    EXPECT_EQ(driver_.Log().Text(),
              "There is one 'txt' file in the 1st folder:\r\n" + first_ + "\r\n\r\n");
}

TEST_F(ScanDriverTest, AFolderThatCannotBeListedIsReportedLikeAnEmptyOne) {
    MakeStandardFolders();
    // The 2nd folder goes away while the 1st is being read.
    view_.atYield[6] = [this] { std::filesystem::remove_all(second_); };
    driver_.cmdStart_Click();
    ASSERT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(view_.messages[0].text,
              "The 2nd folder cannot be read:\r\n" + second_ + "\r\nPath not found");
    EXPECT_EQ(view_.messages[0].title, "Get 2nd folder files");
    EXPECT_EQ(driver_.Log().Text(),
              "There are 3 'txt' files in the 1st folder:\r\n" + first_ + "\r\n\r\n");
    EXPECT_EQ(view_.start, "Start");
}

TEST_F(ScanDriverTest, TheFirstPassCounterIsShownAndRemoved) {
    MakeFolders();
    // A "#" in the folder path must not take the counter's place.
    std::filesystem::create_directory(root_.Path() / "no#1");
    first_ = root_ / "no#1";
    view_.folders[0] = first_;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        WriteFirst(name, Words(0, 40));
    }
    WriteSecond("z.txt", Words(900, 40));
    std::vector<std::string> progress;
    view_.everyYield = [this, &progress] {
        if (driver_.Log().Text().find("Processing") != std::string::npos) {
            progress.push_back(driver_.Log().Text());
        }
    };
    driver_.cmdStart_Click();
    const std::string header =
        "There are 3 'txt' files in the 1st folder:\r\n" + first_ + "\r\n\r\n";
    ASSERT_GE(progress.size(), 3u);
    EXPECT_EQ(progress[0], header + "Processing files in 1st folder: File #1");
    EXPECT_EQ(progress[2], header + "Processing files in 1st folder: File #2");
    EXPECT_TRUE(driver_.Log().Text().starts_with(header + "There is one 'txt' file in the 2nd"));
}

TEST_F(ScanDriverTest, PauseContinueAndStop) {
    MakeStandardFolders();
    const int firstPairYield = 7 + 3 + 1 + 1;  // listings, 1st pass, first 2nd-folder file
    std::string whilePaused;
    std::string afterContinue;
    view_.atYield[firstPairYield] = [this, &whilePaused, &afterContinue] {
        driver_.cmdStart_Click();  // Pause: returns when Continue or Stop is clicked
        afterContinue = driver_.Log().Text();
    };
    view_.atYield[firstPairYield + 1] = [this, &whilePaused] {
        whilePaused = driver_.Log().Text();
        EXPECT_EQ(view_.start, "Continue");
        EXPECT_TRUE(driver_.blnPaused);
        driver_.cmdStart_Click();  // Continue
    };
    view_.atYield[firstPairYield + 5] = [this] { driver_.cmdQuit_Click(); };  // Stop
    driver_.cmdStart_Click();

    EXPECT_EQ(whilePaused, Header() + "\r\n ... PAUSED");
    EXPECT_EQ(afterContinue, Header() + "\r\n");
    EXPECT_TRUE(driver_.Log().Text().ends_with("[2] {same}\r\n\r\n\r\nSTOPPED\r\n"));
    EXPECT_FALSE(driver_.ScanCompleted());
    EXPECT_EQ(view_.start, "Start");
    EXPECT_EQ(view_.quit, "Quit");
    EXPECT_TRUE(view_.makerLabels);
    EXPECT_EQ(view_.processingLabel, "");
    // Stopped during the second 2nd-folder file: nothing after the stop point was compared.
    EXPECT_EQ(driver_.MatchCount(), 1);
}

TEST_F(ScanDriverTest, StopWhilePausedRemovesTheMarker) {
    MakeStandardFolders();
    const int firstPairYield = 12;
    view_.atYield[firstPairYield] = [this] { driver_.cmdStart_Click(); };     // Pause
    view_.atYield[firstPairYield + 1] = [this] { driver_.cmdQuit_Click(); };  // Stop while paused
    driver_.cmdStart_Click();
    EXPECT_EQ(driver_.Log().Text(),
              Header() + "\r\n\r\nSTOPPED\r\n");  // the marker's line break stays
    EXPECT_FALSE(driver_.blnPaused);
    EXPECT_EQ(view_.start, "Start");
    EXPECT_EQ(view_.yields, firstPairYield + 1);
}

TEST_F(ScanDriverTest, AStopDuringAListingTakesEffectAtTheNextYieldOfTheScan) {
    MakeStandardFolders();
    view_.atYield[2] = [this] { driver_.cmdQuit_Click(); };  // while the 1st folder is listed
    driver_.cmdStart_Click();
    // The listing goes on and writes the folder line over the log, as when nothing was pressed.
    EXPECT_EQ(driver_.Log().Text(), "There are 3 'txt' files in the 1st folder:\r\n" + first_ +
                                        "\r\n\r\nProcessing files in 1st folder: File #1");
    EXPECT_EQ(view_.yields, 4);
    EXPECT_EQ(view_.start, "Start");
}

TEST_F(ScanDriverTest, AStartClickBeforeAStoppedScanHasUnwoundIsIgnored) {
    MakeStandardFolders();
    view_.atYield[12] = [this] {
        driver_.cmdQuit_Click();   // Stop...
        driver_.cmdStart_Click();  // ...and Start at once, in the same yield
    };
    driver_.cmdStart_Click();
    EXPECT_TRUE(driver_.Log().Text().ends_with("\r\nSTOPPED\r\n"));
    EXPECT_EQ(view_.yields, 12);  // the ignored Start ran no scan of its own
    EXPECT_FALSE(driver_.ScanRunning());
}

TEST_F(ScanDriverTest, APauseMarkerInAFileNameIsNeverCut) {
    MakeFolders();
    const std::string name = "x ... PAUSED.txt";
    WriteFirst(name, Words(0, 40));
    WriteSecond(name, Words(0, 40));
    driver_.cmdStart_Click();
    EXPECT_NE(driver_.Log().Text().find("[2] in the 2nd folder.\r\n"), std::string::npos);
    EXPECT_TRUE(driver_.Log().Text().ends_with("There is one match."));
}

TEST_F(ScanDriverTest, FilesAndFoldersThatVanishDuringTheScanCountAsTooSmall) {
    MakeStandardFolders();
    // a1.txt goes after the listing, before it is read; then the whole 2nd folder goes while the
    // 2nd-folder files are being compared.
    view_.atYield[3] = [this] {
        std::filesystem::remove(std::filesystem::path(first_) / "a1.txt");
    };
    view_.atYield[11] = [this] { std::filesystem::remove_all(second_); };
    driver_.cmdStart_Click();
    EXPECT_TRUE(driver_.ScanCompleted());
    EXPECT_EQ(driver_.MatchCount(), 0);
    EXPECT_EQ(driver_.Log().Text(), Header() + "There are no matches.");
    EXPECT_TRUE(view_.messages.empty());
    ASSERT_EQ(view_.unreadable.size(), 5u);  // a1.txt, then the four 2nd-folder files
    EXPECT_TRUE(view_.unreadable.front().ends_with("/first/a1.txt"));
    EXPECT_TRUE(view_.unreadable.back().ends_with("/second/tiny.txt"));
}

TEST_F(ScanDriverTest, QuitWhileIdleEndsTheProgram) {
    driver_.cmdQuit_Click();
    EXPECT_TRUE(view_.quitProgram);
}

TEST_F(ScanDriverTest, TheCapStopsAppendsButNotTheBlankLines) {
    MakeFolders();
    // 40 x 40 identical files: 1600 reports of about 150 characters pass the cap many times.
    for (int i = 0; i < 40; ++i) {
        WriteFirst("first" + std::to_string(100 + i) + ".txt", Words(0, 40));
        WriteSecond("second" + std::to_string(100 + i) + ".txt", Words(0, 40));
    }
    view_.settings[SettingField::NumWordsOfReducedTextToDisplay] = "100";
    driver_.cmdStart_Click();
    const std::string& log = driver_.Log().Text();
    EXPECT_EQ(driver_.MatchCount(), 1600);
    EXPECT_TRUE(driver_.blnOutputFull);
    EXPECT_LE(driver_.Log().Length(), 64000 + 2 * 1600);
    EXPECT_FALSE(log.ends_with("There are 1600 matches."));  // the summary no longer fits
    EXPECT_TRUE(log.ends_with("\r\n\r\n\r\n\r\n"));  // but every report still adds its blank line
    EXPECT_EQ(view_.duplicatesLabel, "1600 duplicates found.");
}

}  // namespace
}  // namespace ravelin
