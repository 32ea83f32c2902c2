#pragma once

// A window for the scan driver made of plain fields: it records what a user would see and, at
// chosen yields, "clicks" the driver's buttons the way a user's click arrives during a scan.

#include "TextsForTests.h"
#include "engine/ScanDriver.h"
#include "engine/ScanView.h"
#include "engine/SettingDefaults.h"
#include "engine/TextCatalog.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ravelin::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class FakeScanView final : public ScanView {
  public:
    std::map<SettingField, std::string> settings = DefaultSettingTexts();
    int displayState = 1;
    std::string folders[2];

    std::vector<ShownMessage> messages;
    std::string start = "Start";
    std::string quit = "Quit";
    std::string processingLabel;
    std::string duplicatesLabel;
    std::vector<std::string> duplicatesLabels;
    bool copyEnabled = true;
    bool controlsEnabled = true;
    bool scanControlsEnabled = true;
    int formHeight = kSmallFormHeight;
    int outputHeight = kSmallOutputHeight;
    bool makerLabels = true;
    std::string shownLog;  // the box's text, as the notifications built it
    int yields = 0;
    int waits = 0;
    bool quitProgram = false;
    std::vector<std::string> unreadable;

    // Runs at the n-th yield (1-based).
    std::map<int, std::function<void()>> atYield;
    // Runs at every yield, for conditions rather than counts.
    std::function<void()> everyYield;

    std::string SettingText(SettingField field) const override { return settings.at(field); }
    int DisplayReducedTextState() const override { return displayState; }
    std::string FolderText(int slot) const override { return folders[slot]; }
    void SetFolderText(int slot, const std::string& text) override { folders[slot] = text; }

    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    void SetCaptions(const std::string& s, const std::string& q) override {
        start = s;
        quit = q;
    }
    void SetProcessingFileLabel(const std::string& text) override { processingLabel = text; }
    void SetDuplicatesLabel(const std::string& text) override {
        duplicatesLabel = text;
        duplicatesLabels.push_back(text);
    }
    void SetCopyButtonEnabled(bool enabled) override { copyEnabled = enabled; }
    void EnableControls(bool enabled) override {
        controlsEnabled = enabled;
        scanControlsEnabled = enabled;
    }
    void EnableScanControls() override { scanControlsEnabled = true; }
    void SetWindowHeights(int form, int output) override {
        formHeight = form;
        outputHeight = output;
    }
    void ShowMakerLabels(bool show) override { makerLabels = show; }
    void LogReplaced(const std::string& text) override { shownLog = text; }
    void LogAppended(std::string_view added) override { shownLog.append(added); }
    void LogCaretToEnd() override {}

    void Yield() override {
        ++yields;
        const auto action = atYield.find(yields);
        if (action != atYield.end()) {
            action->second();
        }
        if (everyYield) {
            everyYield();
        }
    }
    void WaitSeconds(int /*seconds*/) override { ++waits; }
    void NoteUnreadableFile(const std::string& path, const std::string& /*why*/) override {
        unreadable.push_back(path);
    }
    void QuitProgram() override { quitProgram = true; }
};

}  // namespace ravelin::testing
