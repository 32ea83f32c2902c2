#pragma once

// The scan driver's window when there is no window: settings come from the options, messages go
// to the error stream, and a Ctrl-C seen at a yield is a click on Stop.

#include "engine/ScanDriver.h"
#include "engine/ScanView.h"
#include "engine/SettingDefaults.h"
#include "ui/cli/ProgressBar.h"

#include <chrono>
#include <map>
#include <optional>
#include <ostream>
#include <string>

namespace ravelin::cli {

struct ScanOptions {
    std::map<SettingField, std::string> settings = DefaultSettingTexts();
    bool displayReducedText = true;
    std::string folders[2];
};

// When each pass of the last scan began, for --stats.
struct PassTimes {
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> firstPass;
    std::optional<Clock::time_point> secondPass;
    int32_t files[2] = {0, 0};
};

class CliScanView final : public ScanView {
  public:
    CliScanView(ScanOptions options, std::ostream& err, ProgressBar* progress)
        : options_(std::move(options)), err_(err), progress_(progress) {}

    void AttachDriver(ScanDriver* driver) { driver_ = driver; }
    bool Interrupted() const { return interrupted_; }
    const PassTimes& Times() const { return times_; }

    std::string SettingText(SettingField field) const override;
    int DisplayReducedTextState() const override { return options_.displayReducedText ? 1 : 0; }
    std::string FolderText(int slot) const override { return options_.folders[slot]; }
    void SetFolderText(int slot, const std::string& text) override {
        options_.folders[slot] = text;
    }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    void ShowProgress(const ScanProgress& progress) override;
    void NoteUnreadableFile(const std::string& path, const std::string& description) override;
    void Yield() override;

    // A terminal has no captions, labels, buttons, window or caret, and no reason to wait.
    void SetCaptions(const std::string& /*start*/, const std::string& /*quit*/) override {}
    void SetProcessingFileLabel(const std::string& /*text*/) override {}
    void SetDuplicatesLabel(const std::string& /*text*/) override {}
    void SetCopyButtonEnabled(bool /*enabled*/) override {}
    void EnableControls(bool /*enabled*/) override {}
    void EnableScanControls() override {}
    void SetWindowHeights(int /*formTwips*/, int /*outputTwips*/) override {}
    void ShowMakerLabels(bool /*show*/) override {}
    void LogReplaced(const std::string& /*text*/) override {}
    void LogAppended(std::string_view /*added*/) override {}
    void LogCaretToEnd() override {}
    void WaitSeconds(int /*seconds*/) override {}
    void QuitProgram() override {}

  private:
    ScanOptions options_;
    std::ostream& err_;
    ProgressBar* progress_;
    ScanDriver* driver_ = nullptr;
    bool interrupted_ = false;
    PassTimes times_;
};

}  // namespace ravelin::cli
