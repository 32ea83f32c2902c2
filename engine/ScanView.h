#pragma once

// Everything the scan driver needs of the window it runs in. The window implements it with Qt,
// the command line without a window, the tests with a script.

#include "engine/OutputLog.h"

#include <cstdint>
#include <string>

namespace ravelin {

enum class MessageIcon { None, Information, Exclamation, Critical };

enum class SettingField {
    NumWordsToCompare,
    NumWordsOfReducedTextToDisplay,
    MatchThreshold,
    NumWordsToSkip1st,
    NumWordsToSkip2nd,
};

// Window heights in twips.
inline constexpr int kSmallFormHeight = 7950;
inline constexpr int kSmallOutputHeight = 2055;
inline constexpr int kLargeFormHeight = 10950;
inline constexpr int kLargeOutputHeight = 5055;

// Where a scan stands, for a front end that shows progress of its own.
struct ScanProgress {
    enum class Pass { First, Second } pass = Pass::First;
    int32_t file = 0;  // 1-based; 0 when the pass begins
    int32_t files = 0;
    int32_t matches = 0;
};

class ScanView : public OutputLogListener {
  public:
    // What the scan reads from the window.
    virtual std::string SettingText(SettingField field) const = 0;
    virtual int DisplayReducedTextState() const = 0;  // the check box: 0, 1 or 2
    virtual std::string FolderText(int slot) const = 0;
    virtual void SetFolderText(int slot, const std::string& text) = 0;

    // What the scan shows; every change is painted at once.
    virtual void ShowMessage(const std::string& text, const std::string& title,
                             MessageIcon icon) = 0;
    virtual void SetCaptions(const std::string& start, const std::string& quit) = 0;
    virtual void SetProcessingFileLabel(const std::string& text) = 0;
    virtual void SetDuplicatesLabel(const std::string& text) = 0;
    virtual void SetCopyButtonEnabled(bool enabled) = 0;
    // Every button, check box, option button and text box (frames and labels untouched).
    virtual void EnableControls(bool enabled) = 0;
    // cmdStart, cmdQuit and the output box, after everything else was disabled.
    virtual void EnableScanControls() = 0;
    virtual void SetWindowHeights(int formTwips, int outputTwips) = 0;
    virtual void ShowMakerLabels(bool show) = 0;
    virtual void ShowProgress(const ScanProgress& /*progress*/) {}
    // A file of either folder could not be read; the scan counts it as too small and goes on.
    virtual void NoteUnreadableFile(const std::string& /*path*/,
                                    const std::string& /*description*/) {}

    // Handles pending events: clicks delivered here run their handlers nested in the scan.
    virtual void Yield() = 0;
    // Blocks without handling events.
    virtual void WaitSeconds(int seconds) = 0;
    // Hides the window, shows the catalog modally and ends the program when it closes.
    virtual void QuitProgram() = 0;
};

}  // namespace ravelin
