#include "FolderGenerator.h"
#include "WindowTestSupport.h"
#include "output/Formats.h"
#include "ui/cli/CommandLine.h"

#include <QLineEdit>

#include <fstream>
#include <sstream>

namespace ravelin {
namespace {

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Two scans never take the same time.
std::string WithoutSeconds(std::string text) {
    const std::string key = R"("seconds":)";
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        const size_t end = text.find_first_of(",}", at);
        text.replace(at + key.size(), end - at - key.size(), "0");
    }
    return text;
}

std::string CliOutput(const std::string& format, const std::vector<std::string>& folders) {
    std::vector<std::string> args = {"ravelin-cli", "scan", "--format", format};
    args.insert(args.end(), folders.begin(), folders.end());
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err, false), 0)
        << err.str();
    return out.str();
}

class ResultsTest : public testing::WindowTest {
  protected:
    ResultsTest() {
        texts_ = testing::MapTextCatalog(testing::ScanTexts());
        // Enough near-copies that the report's cap cuts most matches off.
        folder_ = testing::WriteGeneratedFolder(root_, "copies", {.files = 70, .vocabulary = 6});
#ifndef _WIN32
        root_.Write("copies/left*out.txt", "a name no scan takes, which json names");
#endif
        Save("Num words to compare", "20");
    }
    void StartOn(const std::string& folder1, const std::string& folder2) {
        Save("1st folder", QString::fromStdString(folder1));
        Save("2nd folder", QString::fromStdString(folder2));
        StartWindow();
    }

    // Every row of the formats table, saved from the window and printed by the command line.
    void ExpectEveryFormatAsPrinted(const std::vector<std::string>& folders) {
        for (size_t f = 0; f < kFormats.size(); ++f) {
            const std::string name(kFormats[f].name);
            const std::filesystem::path path = root_.Path() / ("saved." + name);
            world_.saveAnswers.append({QString::fromStdString(path.string()), static_cast<int>(f)});
            PressSave();
            const std::string saved = WithoutSeconds(FileText(path));
            const std::string printed = WithoutSeconds(CliOutput(name, folders));
            const auto differ =
                std::mismatch(saved.begin(), saved.end(), printed.begin(), printed.end());
            EXPECT_TRUE(saved == printed)
                << name << " differs at byte " << (differ.first - saved.begin()) << " of "
                << saved.size() << " and " << printed.size();
        }
    }

    void PressSave() {
        QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    }

    std::string folder_;
};

TEST_F(ResultsTest, NothingToSaveBeforeTheFirstScan) {
    StartOn(folder_, folder_);
    PressSave();
    window_->SaveResultsAs();
    EXPECT_FALSE(world_.events.join('\n').contains("save"))
        << world_.events.join('\n').toStdString();
}

TEST_F(ResultsTest, EveryFormatEqualsTheCommandLinesOutput) {
    StartOn(folder_, folder_);
    Click("cmdStart");
    ASSERT_TRUE(window_->ScanCompleted());
    ASSERT_GT(window_->Matches().size(), 1000U);  // far past the report's cap
    ExpectEveryFormatAsPrinted({folder_});
    EXPECT_TRUE(world_.events.join('\n').contains("save Save results as: report, as the window"))
        << world_.events.join('\n').toStdString();
}

TEST_F(ResultsTest, TheSamplesSaveAsTheCommandLinePrintsThem) {
    const std::string samples = RAVELIN_SOURCE_DIR "/data/samples/";
    StartOn(samples + "first", samples + "second");
    Click("cmdStart");
    ASSERT_EQ(window_->Matches().size(), 4U);
    ExpectEveryFormatAsPrinted({samples + "first", samples + "second"});
}

TEST_F(ResultsTest, AFailedSaveNamesTheFileAndKeepsWhatWasThere) {
    StartOn(folder_, folder_);
    Click("cmdStart");
    const std::filesystem::path blocked = root_.Path() / "no such folder" / "saved.tsv";
    world_.saveAnswers.append({QString::fromStdString(blocked.string()), 1});
    PressSave();
    EXPECT_TRUE(world_.events.last().startsWith("message Save results as: cannot write '" +
                                                QString::fromStdString(blocked.string()) + "'"))
        << world_.events.last().toStdString();
    EXPECT_FALSE(std::filesystem::exists(blocked.parent_path()));
}

TEST_F(ResultsTest, APausedScanSavesWhatItFoundSoFar) {
    StartOn(folder_, folder_);
    const std::filesystem::path path = root_.Path() / "paused.tsv";
    std::string saved;
    int waits = 0;
    onWait_ = [&] {
        if (++waits == 40) {
            // Inside the scan: not paused yet, so nothing is offered.
            window_->SaveResultsAs();
            QTimer::singleShot(0, window_.get(), [&] {
                world_.saveAnswers.append({QString::fromStdString(path.string()), 1});
                PressSave();
                saved = FileText(path);
                Click("cmdQuit");
            });
            Click("cmdStart");  // Pause
        }
    };
    Click("cmdStart");
    const size_t lines = static_cast<size_t>(std::count(saved.begin(), saved.end(), '\n'));
    EXPECT_GT(lines, 0U);
    EXPECT_LT(lines, window_->Matches().size() + 1);
    EXPECT_EQ(world_.events.filter("save ").size(), 1);
}

}  // namespace
}  // namespace ravelin
