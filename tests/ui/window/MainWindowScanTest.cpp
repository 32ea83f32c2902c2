#include "SampleTexts.h"
#include "WindowTestSupport.h"
#include "support/qt/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace ravelin {
namespace {

using testing::EventuallyTrue;
using testing::kGarden;
using testing::kHarbour;
using testing::kHarbourEdited;
using testing::kMountain;
using testing::WindowTest;

QString WithBoxLineEnds(const std::string& log) {
    return QString::fromStdString(log).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A scan of two folders, the 2nd with a name beyond ASCII: an exact copy and an edited copy of
// the harbour text match it; the garden text matches nothing.
class ScanTest : public WindowTest {
  protected:
    ScanTest() {
        first_ = MakeFolder("first", {{"harbour.txt", kHarbour}, {"mountain.txt", kMountain}});
        second_ = MakeFolder("zweiter Ördner", {{"harbour-copy.txt", kHarbour},
                                                {"harbour-edited.txt", kHarbourEdited},
                                                {"unrelated.txt", kGarden}});
        Save("1st folder", first_);
        Save("2nd folder", second_);
        StartWindow();
    }

    QPushButton& Start() const { return Get<QPushButton>(QStringLiteral("cmdStart")); }
    QPushButton& Quit() const { return Get<QPushButton>(QStringLiteral("cmdQuit")); }
    QLabel& Label(const char* name) const { return Get<QLabel>(QString::fromUtf8(name)); }
    // Runs at the next yield of the scan, as a click made meanwhile would.
    void AtNextYield(std::function<void()> action) const {
        QTimer::singleShot(0, window_.get(), std::move(action));
    }

    QString first_;
    QString second_;
};

TEST_F(ScanTest, StartRunsAWholeScanIntoTheOutputBox) {
    QTest::mouseClick(&Start(), Qt::LeftButton);
    ASSERT_TRUE(window_->ScanCompleted());
    const QString output = Output();
    EXPECT_EQ(output, WithBoxLineEnds(window_->Log().Text()));
    EXPECT_TRUE(output.startsWith("There are 2 'txt' files in the 1st folder:\n" + first_ +
                                  "\n\nThere are 3 'txt' files in the 2nd folder:\n" + second_ +
                                  "\n\n"));
    // The match is decided at the middle of the first 20 positions, so 10 words are shown.
    const QString harbour =
        "[1] every morning harbour master walked along stone quay counting fishing\n";
    EXPECT_TRUE(output.endsWith(
        "File 'harbour.txt' [1] in the 1st folder matches\n"
        "file 'harbour-copy.txt' [2] in the 2nd folder.\n" +
        harbour +
        "[2] {same}\n\n"
        "File 'harbour.txt' [1] in the 1st folder matches\n"
        "file 'harbour-edited.txt' [2] in the 2nd folder (though not exactly).\n" +
        harbour +
        "[2] every morning harbour master walked along stone quay checking fishing\n\n"
        "There are 2 matches."))
        << output.toStdString();
    EXPECT_EQ(waitedSeconds_, 3);  // one second for each 2nd-folder file
    EXPECT_TRUE(messages_.shown.empty());

    // A match takes the window to its large size.
    const double dpi = LogicalDpi(window_.get());
    EXPECT_EQ(window_->height(), TwipsToPixels(kLargeFormHeight - kNonClientHeight, dpi));
    EXPECT_EQ(Get<QWidget>(QStringLiteral("txbOutput")).height(),
              TwipsToPixels(kLargeOutputHeight, dpi));
    // Idle again, with the footer showing the maker.
    EXPECT_EQ(Start().text(), "Start");
    EXPECT_EQ(Quit().text(), "Quit");
    EXPECT_TRUE(Get<QPushButton>(QStringLiteral("cmdFolder0")).isEnabled());
    EXPECT_TRUE(Get<QLineEdit>(QStringLiteral("txbNumWordsToCompare")).isEnabled());
    EXPECT_TRUE(Label("lblCopyright").isVisible());
    EXPECT_FALSE(Label("lblNoDuplicatesFound").isVisible());
    EXPECT_EQ(Label("lblNoDuplicatesFound").text(), "2 duplicates found.");
}

TEST_F(ScanTest, TheWindowShowsItsScanningStateWhileTheScanRuns) {
    struct Seen {
        QString start;
        QString quit;
        QString processing;
        QString duplicates;
        bool progressShown = false;
        bool makerShown = false;
        bool folderButtonEnabled = false;
        bool checkBoxEnabled = false;
        bool settingEnabled = false;
        bool outputEnabled = false;
    };
    std::vector<Seen> seen;
    onWait_ = [&] {
        seen.push_back({Start().text(), Quit().text(), Label("lblProcessingFile").text(),
                        Label("lblNoDuplicatesFound").text(),
                        Label("lblProcessingFile").isVisible(), Label("lblQMurl").isVisible(),
                        Get<QPushButton>(QStringLiteral("cmdFolder1")).isEnabled(),
                        Get<QCheckBox>(QStringLiteral("chkDisplayReducedText")).isEnabled(),
                        Get<QLineEdit>(QStringLiteral("txbMatchThreshold")).isEnabled(),
                        Get<QWidget>(QStringLiteral("txbOutput")).isEnabled()});
    };
    QTest::mouseClick(&Start(), Qt::LeftButton);
    ASSERT_EQ(seen.size(), 3u);
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].start, "Pause");
        EXPECT_EQ(seen[i].quit, "Stop");
        EXPECT_EQ(seen[i].processing,
                  QStringLiteral("Processing file #%1 in the 2nd folder.").arg(i + 1));
        EXPECT_FALSE(seen[i].folderButtonEnabled);
        EXPECT_FALSE(seen[i].checkBoxEnabled);
        EXPECT_FALSE(seen[i].settingEnabled);
        EXPECT_TRUE(seen[i].outputEnabled);
    }
    // The footer switches to the progress labels after the first file's pause.
    EXPECT_FALSE(seen[0].progressShown);
    EXPECT_TRUE(seen[1].progressShown);
    EXPECT_FALSE(seen[1].makerShown);
    EXPECT_EQ(seen[0].duplicates, "No duplicates found yet.");
    EXPECT_EQ(seen[1].duplicates, "One duplicate found.");
    EXPECT_EQ(seen[2].duplicates, "2 duplicates found.");
}

TEST_F(ScanTest, PauseContinueAndStopRunNestedInTheScan) {
    QString pausedStart;
    QString pausedQuit;
    QString pausedOutput;
    QString continuedOutput;
    int waits = 0;
    onWait_ = [&] {
        ++waits;
        if (waits == 1) {
            AtNextYield([&] {
                AtNextYield([&] {  // runs while the Pause handler waits
                    pausedStart = Start().text();
                    pausedQuit = Quit().text();
                    pausedOutput = Output();
                    Start().click();  // Continue
                });
                Start().click();  // Pause
                continuedOutput = Output();
            });
        } else if (waits == 2) {
            AtNextYield([&] {
                AtNextYield([&] { Quit().click(); });  // Stop while paused
                Start().click();
            });
        }
    };
    QTest::mouseClick(&Start(), Qt::LeftButton);

    EXPECT_EQ(pausedStart, "Continue");
    EXPECT_EQ(pausedQuit, "Stop");
    EXPECT_TRUE(pausedOutput.endsWith("\n ... PAUSED")) << pausedOutput.toStdString();
    EXPECT_FALSE(continuedOutput.contains("PAUSED"));
    EXPECT_FALSE(continuedOutput.isEmpty());

    const QString output = Output();
    EXPECT_TRUE(output.endsWith("\nSTOPPED\n")) << output.toStdString();
    EXPECT_FALSE(output.contains("PAUSED"));
    EXPECT_FALSE(output.contains("matches."));
    EXPECT_EQ(output, WithBoxLineEnds(window_->Log().Text()));
    EXPECT_EQ(waits, 2);
    EXPECT_FALSE(window_->ScanCompleted());
    EXPECT_FALSE(window_->ScanRunning());
    EXPECT_EQ(Start().text(), "Start");
    EXPECT_EQ(Quit().text(), "Quit");
    EXPECT_TRUE(Get<QPushButton>(QStringLiteral("cmdFolder0")).isEnabled());
}

TEST_F(ScanTest, ClosingTheWindowDuringAScanStopsItBeforeTheWindowCloses) {
    bool closedWhileScanning = false;
    onWait_ = [&] {
        AtNextYield([&] {
            window_->close();
            closedWhileScanning = !window_->isVisible();
        });
    };
    QTest::mouseClick(&Start(), Qt::LeftButton);
    EXPECT_FALSE(closedWhileScanning);
    EXPECT_EQ(waitedSeconds_, 1);
    EXPECT_TRUE(Output().endsWith("\nSTOPPED\n"));
    EXPECT_FALSE(window_->ScanRunning());
    EXPECT_TRUE(EventuallyTrue([this] { return !window_->isVisible(); }));
    EXPECT_TRUE(catalog_.shown.empty());
}

TEST_F(ScanTest, ClosingAnIdleWindowClosesIt) {
    EXPECT_TRUE(window_->close());
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(catalog_.shown.empty());
}

TEST_F(ScanTest, AFailedCheckStartsNoScan) {
    struct Row {
        const char* box;
        QString text;
        QString message;
        QString title;
        MessageIcon icon;
    };
    const Row rows[] = {
        // The box takes two characters.
        {"txbMatchThreshold", QStringLiteral("101"),
         "Threshold for similarity\r\n must not be less than 50.", "Invalid input",
         MessageIcon::Information},
        {"txbFolder1", QString::fromStdString(root_ / "gone"),
         QStringLiteral("The folder '%1' does not exist.")
             .arg(QString::fromStdString(root_ / "gone")),
         "Specify folder", MessageIcon::Exclamation},
    };
    for (const Row& row : rows) {
        QLineEdit& box = Get<QLineEdit>(QString::fromUtf8(row.box));
        const QString kept = box.text();
        box.setText(row.text);
        messages_.shown.clear();
        QTest::mouseClick(&Start(), Qt::LeftButton);
        ASSERT_EQ(messages_.shown.size(), 1u) << row.box;
        EXPECT_EQ(messages_.shown[0].text, row.message);
        EXPECT_EQ(messages_.shown[0].title, row.title);
        EXPECT_EQ(messages_.shown[0].icon, row.icon);
        EXPECT_EQ(messages_.shown[0].parent, window_.get());
        EXPECT_EQ(Start().text(), "Start");
        EXPECT_EQ(Output(), "");
        EXPECT_EQ(waitedSeconds_, 0);
        box.setText(kept);
    }
}

TEST_F(ScanTest, QuitHidesTheWindowForTheCatalog) {
    QTest::mouseClick(&Quit(), Qt::LeftButton);
    ASSERT_EQ(catalog_.shown.size(), 1u);
    EXPECT_EQ(catalog_.shown[0].owner, window_.get());
    EXPECT_EQ(catalog_.shown[0].titleColor, 0x00FF0000u);
    EXPECT_FALSE(catalog_.shown[0].ownerVisible);
    EXPECT_FALSE(window_->isVisible());
}

}  // namespace
}  // namespace ravelin
