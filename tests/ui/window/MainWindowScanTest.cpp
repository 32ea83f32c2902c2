#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>

#include <memory>
#include <tuple>
#include <utility>

namespace ravelin {
namespace {

using testing::WindowState;

// Reduces to well over 40 words of four or more letters.
const std::string kHarbour =
    "Every morning the harbour master walked along the stone quay, counting fishing boats that\n"
    "returned before sunrise. Gulls circled above tarred nets while merchants argued about "
    "prices,\n"
    "weather, tides and rumours carried from distant islands across grey water. Children gathered\n"
    "shells, sailors mended ropes, and lanterns burned until daylight finally chased shadows from\n"
    "narrow streets behind the warehouses where barrels of salted herring waited for winter.\n";

// The 2nd folder, whose name is beyond ASCII, holds in this order an exact copy of the 1st
// folder's one file, a copy with its ninth word changed, and a text that matches nothing.
class ScanTest : public testing::WindowTest {
  protected:
    ScanTest() {
        std::string edited = kHarbour;
        edited.replace(edited.find("counting"), 8, "checking");
        const std::string unrelated(kHarbour.rbegin(), kHarbour.rend());  // every word reversed
        Save("1st folder", MakeFolder("first", 0, {{"harbour.txt", kHarbour}}));
        Save("2nd folder", MakeFolder("zweiter Ördner", 0,
                                      {{"a-copy.txt", kHarbour},
                                       {"b-edited.txt", edited},
                                       {"c-unrelated.txt", unrelated}}));
        StartWindow();
    }

    // Runs at the next yield of the scan, as a click made meanwhile would.
    void AtNextYield(std::function<void()> action) const {
        QTimer::singleShot(0, window_.get(), std::move(action));
    }

    // Records the window, then presses the first button. The presses after it come at the next
    // yield, which lies inside a Pause, or else as soon as the press returns; the window is
    // recorded again once all are made.
    void Play(std::vector<QString> presses, std::vector<WindowState>& seen) {
        seen.push_back(State());
        if (presses.empty()) {
            return;
        }
        const QString button = presses.front();
        presses.erase(presses.begin());
        const auto rest = [this, presses, &seen, done = std::make_shared<bool>(false)] {
            if (!std::exchange(*done, true)) {
                Play(presses, seen);
            }
        };
        AtNextYield(rest);
        if (button == "close") {
            window_->close();
        } else {
            Get<QAbstractButton>(button).click();
        }
        rest();
    }
};

// The window at a yield while it scans the given 2nd-folder file; the first match made it large.
WindowState Scanning(int file, const QString& buttons = "Pause/Stop", const QString& output = "") {
    const QString processing = QString("Processing file #%1 in the 2nd folder.").arg(file);
    const QString duplicates[] = {"No duplicates found yet.", "One duplicate found.",
                                  "2 duplicates found."};
    return {buttons,    "cmdStart cmdQuit txbOutput",  processing, duplicates[file - 1],
            "progress", file == 1 ? "small" : "large", output,     true};
}

// Stopped or at its end: the window is idle again even before the scan has unwound.
WindowState Idle(int file, const QString& output, bool running) {
    const WindowState scanning = Scanning(file);
    return {"Start/Quit", testing::kAllEnabled, "",     scanning.duplicates,
            "maker",      scanning.size,        output, running};
}

// The rows run in turn on one window, so that each scan starts where the one before ended; the
// last closes it. The outputs are what the box holds beyond what it held when the script began.
TEST_F(ScanTest, PauseContinueAndStopScripts) {
    // Removing the pause marker leaves the line break written before it.
    const QString paused = "\n ... PAUSED";
    const QString stopped = "\nSTOPPED\n";
    const QString summary = "There are 2 matches.";
    struct Script {
        const char* name;
        int atFile;
        std::vector<QString> presses;
        std::vector<WindowState> expected;  // at the start, after each press, once unwound
    };
    const Script scripts[] = {
        {"complete scan", 3, {}, {Scanning(3), Idle(3, summary, false)}},
        {"Pause then Continue",
         3,
         {"cmdStart", "cmdStart"},
         {Scanning(3), Scanning(3, "Continue/Stop", paused), Scanning(3, "Pause/Stop", "\n"),
          Idle(3, "\n" + summary, false)}},
        {"Stop, then Start before the stopped scan unwound",
         1,
         {"cmdQuit", "cmdStart"},
         {Scanning(1), Idle(1, "", true), Idle(1, "", true), Idle(1, stopped, false)}},
        {"Pause then Stop",
         2,
         {"cmdStart", "cmdQuit"},
         {Scanning(2), Scanning(2, "Continue/Stop", paused), Idle(2, paused, true),
          Idle(2, "\n" + stopped, false)}},
        // The window closes only once the stopped scan has unwound.
        {"close while scanning",
         1,
         {"close"},
         {Scanning(1), Idle(1, "", true), Idle(1, stopped, false)}},
    };
    for (const Script& script : scripts) {
        std::vector<WindowState> seen;
        int waits = 0;
        onWait_ = [&] {
            if (++waits == script.atFile) {
                AtNextYield([&] { Play(script.presses, seen); });
            }
        };
        Click("cmdStart");
        seen.push_back(State());
        const QString before = seen.front().output;
        for (WindowState& state : seen) {
            if (state.output.startsWith(before)) {
                state.output.remove(0, before.size());
            }
        }
        EXPECT_EQ(seen, script.expected) << script.name;
        EXPECT_EQ(Output(), QString::fromStdString(window_->Log().Text()).replace("\r\n", "\n"));
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

TEST_F(ScanTest, AFailedCheckShowsItsMessageAndLeavesTheWindowAlone) {
    Get<QLineEdit>("txbMatchThreshold").setText("49");
    const WindowState before = State();
    Click("cmdStart");
    ASSERT_EQ(world_.events.size(), 1);
    EXPECT_TRUE(world_.events[0].startsWith("message Invalid input: "))
        << world_.events[0].toStdString();
    EXPECT_EQ(State(), before);
    EXPECT_EQ(window_->LastScan(), nullptr);
}

}  // namespace
}  // namespace ravelin
