#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>

#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace ravelin {
namespace {

// Reduces to well over 40 words of four or more letters.
const std::string kHarbour =
    "Every morning the harbour master walked along the stone quay, counting fishing boats that\n"
    "returned before sunrise. Gulls circled above tarred nets while merchants argued about "
    "prices,\n"
    "weather, tides and rumours carried from distant islands across grey water. Children gathered\n"
    "shells, sailors mended ropes, and lanterns burned until daylight finally chased shadows from\n"
    "narrow streets behind the warehouses where barrels of salted herring waited for winter.\n";

// The 2nd folder, whose name is beyond ASCII, holds in this order an exact copy of the 1st
// folder's one file, a copy with its ninth word changed, and a text that matches nothing, each
// of its words being reversed.
class ScanTest : public testing::WindowTest {
  protected:
    ScanTest() {
        std::string edited = kHarbour;
        edited.replace(edited.find("counting"), 8, "checking");
        Save("1st folder", MakeFolder("first", 0, {{"harbour.txt", kHarbour}}));
        Save("2nd folder",
             MakeFolder("zweiter Ördner", 0,
                        {{"a-copy.txt", kHarbour},
                         {"b-edited.txt", edited},
                         {"c-unrelated.txt", std::string(kHarbour.rbegin(), kHarbour.rend())}}));
        StartWindow();
    }

    // Records the window, with the output that follows what the box held at the first record, then
    // presses the first button. The presses after it come at the next yield, which lies inside a
    // Pause, or else as soon as the press returns.
    void Play(QStringList presses, std::vector<QStringList>& seen) {
        if (seen.empty()) {
            outputBefore_ = Output();
        }
        seen.push_back(State(outputBefore_));
        if (presses.empty()) {
            return;
        }
        const QString button = presses.takeFirst();
        const auto rest = [this, presses, &seen, done = std::make_shared<bool>(false)] {
            if (!std::exchange(*done, true)) {
                Play(presses, seen);
            }
        };
        QTimer::singleShot(0, window_.get(), rest);
        button == "close" ? void(window_->close()) : Get<QAbstractButton>(button).click();
        rest();
    }

    QString outputBefore_;
};

// The window while it scans the given 2nd-folder file, or once it is idle again, which it is
// even before a stopped scan has unwound; the first match made it large.
QStringList At(int file, const QString& buttons, const QString& output = "", bool running = true) {
    const bool idle = buttons == "Start/Quit";
    const QString duplicates[] = {"No duplicates found yet.", "One duplicate found.",
                                  "2 duplicates found."};
    return QStringList() << buttons << (idle ? testing::kAllEnabled : "cmdStart cmdQuit txbOutput")
                         << (idle ? ""
                                  : QString("Processing file #%1 in the 2nd folder.").arg(file))
                         << duplicates[file - 1] << (idle ? "maker" : "progress")
                         << (file == 1 ? "small" : "large") << (running ? "running" : "idle")
                         << output;
}

// The rows run in turn on one window, so that each scan starts where the one before ended; the
// last closes it. The outputs are what the box holds beyond what it held when the script began.
TEST_F(ScanTest, PauseContinueAndStopScripts) {
    // Removing the pause marker leaves the line break written before it.
    const QString paused = "\n ... PAUSED";
    const QString stopped = "\nSTOPPED\n";
    const QString summary = "There are 2 matches.";
    const QString scanning = "Pause/Stop";
    const QString idle = "Start/Quit";
    // Each row: the 2nd-folder file at whose yield the presses begin, the presses, and the window
    // at the start, after each press and once unwound.
    const std::tuple<int, QString, std::vector<QStringList>> scripts[] = {
        // a complete scan
        {3, "", {At(3, scanning), At(3, idle, summary, false)}},
        // Pause then Continue
        {3,
         "cmdStart cmdStart",
         {At(3, scanning), At(3, "Continue/Stop", paused), At(3, scanning, "\n"),
          At(3, idle, "\n" + summary, false)}},
        // Stop, then Start before the stopped scan unwound
        {1,
         "cmdQuit cmdStart",
         {At(1, scanning), At(1, idle), At(1, idle), At(1, idle, stopped, false)}},
        // Pause then Stop
        {2,
         "cmdStart cmdQuit",
         {At(2, scanning), At(2, "Continue/Stop", paused), At(2, idle, paused),
          At(2, idle, "\n" + stopped, false)}},
        // The window closes only once the stopped scan has unwound.
        {1, "close", {At(1, scanning), At(1, idle), At(1, idle, stopped, false)}},
    };
    for (const auto& script : scripts) {
        const QStringList presses = std::get<1>(script).split(' ', Qt::SkipEmptyParts);
        std::vector<QStringList> seen;
        int waits = 0;
        onWait_ = [&] {
            if (++waits == std::get<0>(script)) {
                QTimer::singleShot(0, window_.get(), [&] { Play(presses, seen); });
            }
        };
        Click("cmdStart");
        seen.push_back(State(outputBefore_));
        EXPECT_EQ(seen, std::get<2>(script)) << std::get<1>(script).toStdString();
    }
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window_->isVisible(); }));
    EXPECT_TRUE(world_.events.isEmpty());  // no catalog, as after Quit
}

TEST_F(ScanTest, TheScanTakesItsSettingsFromTheControls) {
    const QStringList boxes = {"txbNumWordsToSkip0", "txbNumWordsToSkip1", "txbNumWordsToCompare",
                               "txbMatchThreshold", "txbNumWordsOfReducedTextToDisplay"};
    const QStringList typed = {"3", "7", "25", "85", "9"};
    for (int i = 0; i < boxes.size(); ++i) {
        Get<QLineEdit>(boxes[i]).setText(typed[i]);
    }
    Get<QCheckBox>("chkDisplayReducedText").setCheckState(Qt::Unchecked);
    Click("cmdStart");
    ASSERT_NE(window_->LastScan(), nullptr);
    const ScanOptions& o = window_->LastScan()->Options();
    EXPECT_EQ(
        std::tie(o.folders[0], o.folders[1], o.numWordsToSkip[0], o.numWordsToSkip[1],
                 o.numWordsToCompare, o.matchThreshold, o.numWordsToDisplay, o.displayReducedText),
        std::make_tuple(root_ / "first", root_ / "zweiter Ördner", 3, 7, 25, 85, 9, false));
    EXPECT_EQ(waitedSeconds_, 3);  // one second for each 2nd-folder file
}

// The window is left as it was, with the focus where the correction is to be made.
TEST_F(ScanTest, AFailedCheckShowsItsMessageAndPutsTheFocusInTheBoxItNames) {
    const std::pair<QString, QString> rows[] = {
        {"txbNumWordsToCompare", ""},
        {"txbFolder1", QString::fromStdString(root_ / "missing")},
    };
    for (const auto& [box, text] : rows) {
        StartWindow();
        Get<QLineEdit>(box).setText(text);
        const QStringList before = State();
        world_.events.clear();
        Click("cmdStart");
        EXPECT_TRUE(world_.events.size() == 1 && world_.events[0].startsWith("message "))
            << world_.events.join('\n').toStdString();
        EXPECT_EQ(State(), before);
        EXPECT_EQ(window_->focusWidget(), &Get(box)) << box.toStdString();
        EXPECT_EQ(window_->LastScan(), nullptr);
    }
}

}  // namespace
}  // namespace ravelin
