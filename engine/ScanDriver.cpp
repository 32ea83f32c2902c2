#include "engine/ScanDriver.h"

#include "engine/FileWords.h"
#include "engine/MatchReport.h"
#include "files/FolderListing.h"
#include "files/StringRoutines.h"
#include "files/TextEncoding.h"
#include "ui/Validation.h"

#include <array>

namespace ravelin {
namespace {

constexpr std::string_view kPauseMarker = " ... PAUSED";

// Counts the depth of running scans for as long as a scan is on the stack.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    ~DepthGuard() { --depth_; }

  private:
    int& depth_;
};

}  // namespace

ScanDriver::ScanDriver(ScanView& view, const TextCatalog& texts, SecondPassFactory secondPass)
    : view_(view), texts_(texts), secondPassFactory_(std::move(secondPass)) {
    log_.SetListener(&view_);
}

ScanDriver::~ScanDriver() {
    log_.SetListener(nullptr);
}

void ScanDriver::cmdStart_Click() {
    const bool startsAScan = startCaption_ != "Pause" && startCaption_ != "Continue";
    if (startsAScan && ScanRunning()) {
        return;  // a stopped scan has not unwound yet; a second one would run inside it
    }
    blnStopRequested = false;
    blnReportStop = true;
    if (startCaption_ == "Pause") {
        Pause();
    } else if (startCaption_ == "Continue") {
        Continue();
    } else {
        Start();
    }
}

void ScanDriver::cmdQuit_Click() {
    if (quitCaption_ == "Stop") {
        StopHandler();
    } else {
        view_.QuitProgram();
    }
}

void ScanDriver::SetCaptions(std::string start, std::string quit) {
    startCaption_ = std::move(start);
    quitCaption_ = std::move(quit);
    view_.SetCaptions(startCaption_, quitCaption_);
}

// A position the scan noted, if the text it wrote there is still there; after the user edited
// the log, the last place that holds the text.
std::optional<size_t> ScanDriver::TrackedMarker(const std::optional<size_t>& at,
                                                const std::string& text) const {
    const std::string& log = log_.Text();
    if (log_.UserEdits() == userEditsWhenNoted_) {
        if (at && *at <= log.size() && log.compare(*at, text.size(), text) == 0) {
            return at;
        }
        return std::nullopt;
    }
    const size_t found = log.rfind(text);
    return found == std::string::npos ? std::nullopt : std::optional<size_t>(found);
}

void ScanDriver::Pause() {
    SetCaptions("Continue", quitCaption_);
    const size_t before = log_.Text().size();
    AppendToOutput(log_, "\r\n" + std::string(kPauseMarker), blnOutputFull, true, kOutputCap);
    if (log_.Text().size() > before) {
        pauseMarkerAt_ = before + 2;
        userEditsWhenNoted_ = log_.UserEdits();
    }
    blnPaused = true;
    do {
        view_.Yield();
    } while (blnPaused && !blnStopRequested);
}

void ScanDriver::Continue() {
    SetCaptions("Pause", quitCaption_);
    if (const auto at = TrackedMarker(pauseMarkerAt_, std::string(kPauseMarker))) {
        log_.CutAt(*at);
    }
    pauseMarkerAt_.reset();
    log_.MoveCaretToEnd();
    blnPaused = false;
}

void ScanDriver::StopHandler() {
    blnStopRequested = true;
    if (const auto at = TrackedMarker(pauseMarkerAt_, std::string(kPauseMarker))) {
        log_.CutAt(*at);
    }
    pauseMarkerAt_.reset();
    if (blnReportStop) {
        AppendToOutput(log_, "\r\nSTOPPED\r\n", blnOutputFull, true, kOutputCap);
    }
    log_.MoveCaretToEnd();
    SetCaptions("Start", "Quit");
    view_.SetProcessingFileLabel("");
    blnPaused = false;
    view_.EnableControls(true);
    view_.ShowMakerLabels(true);
}

void ScanDriver::Start() {
    if (!ReadSettings()) {
        return;
    }
    std::string folders[2];
    if (!CheckFolders(folders)) {
        return;
    }
    const DepthGuard running(scanDepth_);
    scanCompleted_ = false;
    SetUpWindowForScan();
    RunScan(folders);
}

bool ScanDriver::ReadSettings() {
    struct Field {
        SettingField field;
        int32_t min;
        int32_t max;
        std::string name;
        int32_t& target;
    };
    const std::string skipName = texts_.Text(11) + " ";
    const std::array<Field, 5> fields = {{
        {SettingField::NumWordsToCompare, 20, 100, texts_.Text(8), state_.intNumWordsToCompare},
        {SettingField::NumWordsOfReducedTextToDisplay, 5, 100, texts_.Text(9),
         intNumWordsToDisplay},
        {SettingField::MatchThreshold, 50, 100, texts_.Text(10), state_.intMatchThreshold},
        {SettingField::NumWordsToSkip1st, 0, 500, skipName + Ordinal(1) + " folder",
         intNumWordsToSkip[0]},
        {SettingField::NumWordsToSkip2nd, 0, 500, skipName + Ordinal(2) + " folder",
         intNumWordsToSkip[1]},
    }};
    for (const Field& field : fields) {
        const ValidationResult result = ValidateNumberField(view_.SettingText(field.field),
                                                            field.min, field.max, true, field.name);
        if (result.showMessage) {
            view_.ShowMessage(result.message, "Invalid input", MessageIcon::Information);
        }
        if (result.invalid) {
            return false;
        }
        field.target = result.value;
    }
    return true;
}

bool ScanDriver::CheckFolders(std::string (&folders)[2]) {
    for (int i = 0; i < 2; ++i) {
        folders[i] = std::string(TrimSpaces(view_.FolderText(i)));
        view_.SetFolderText(i, folders[i]);
        if (folders[i].empty()) {
            view_.ShowMessage("Please specify the " + Ordinal(i + 1) + " folder.", "Specify folder",
                              MessageIcon::None);
            return false;
        }
        if (!FolderExists(folders[i])) {
            view_.ShowMessage("The folder '" + Utf8Lossy(folders[i]) + "' does not exist.",
                              "Specify folder", MessageIcon::Exclamation);
            return false;
        }
    }
    return true;
}

void ScanDriver::SetUpWindowForScan() {
    SetCaptions("Pause", "Stop");
    blnPaused = false;
    log_.SetText("");
    view_.SetCopyButtonEnabled(false);
    view_.SetProcessingFileLabel("");
    blnOutputFull = false;
    blnDuplicateFound = false;
    labelCount_ = 0;
    view_.SetDuplicatesLabel("No duplicates found yet.");
    view_.SetWindowHeights(kSmallFormHeight, kSmallOutputHeight);
    strFileExt = "txt";
    view_.EnableControls(false);
    view_.EnableScanControls();
    log_.SetText(texts_.Text(12) + "\r\n");
    progressLineAt_.reset();
    counterAt_.reset();
    pauseMarkerAt_.reset();
    userEditsWhenNoted_ = log_.UserEdits();
    matchCount_ = 0;
}

void ScanDriver::RunScan(const std::string (&folders)[2]) {
    std::vector<std::string> names1;
    if (!ListFolder(0, folders[0], names1) || !FirstPass(folders[0], names1)) {
        return;
    }
    CutProgressLine();
    std::vector<std::string> names2;
    if (!ListFolder(1, folders[1], names2) || !SecondPassOverFolder(folders[1], names2)) {
        return;
    }
    FinishScan();
}

bool ScanDriver::ListFolder(int slot, const std::string& folder, std::vector<std::string>& names) {
    std::string error;
    double totalSize = 0;
    const int32_t count = ListFiles(folder, names, "*." + strFileExt, {}, error, totalSize,
                                    [this] { view_.Yield(); });
    const std::string shownPath = Utf8Lossy(folder);
    if (count <= 0) {
        if (slot == 0) {
            log_.SetText("");
        }
        const std::string message =
            count == 0 ? "There are no '" + strFileExt + "' files in the " +
                             (slot == 0 ? "first" : "second") + " folder:\r\n" + shownPath
                       : "The " + Ordinal(slot + 1) + " folder cannot be read:\r\n" + shownPath +
                             "\r\n" + error;
        view_.ShowMessage(message, slot == 0 ? "Get 1st folder files" : texts_.Text(14),
                          MessageIcon::Exclamation);
        if (slot == 0) {
            log_.SetText("");
        }
        EndScanWithoutStop();
        return false;
    }
    const std::string line =
        (count == 1 ? "There is one '" + strFileExt + "' file"
                    : "There are " + std::to_string(count) + " '" + strFileExt + "' files") +
        " in the " + Ordinal(slot + 1) + " folder:\r\n" + shownPath + "\r\n\r\n";
    if (slot == 0) {
        log_.SetText(line);
    } else {
        AppendToOutput(log_, line, blnOutputFull, false, kOutputCap);
    }
    return true;
}

void ScanDriver::EndScanWithoutStop() {
    blnReportStop = false;
    StopHandler();
    view_.EnableControls(true);
}

bool ScanDriver::FirstPass(const std::string& folder, const std::vector<std::string>& names) {
    const auto fileCount = static_cast<int32_t>(names.size());
    const int32_t segment = 2 * state_.intNumWordsToCompare;
    const int32_t skip = intNumWordsToSkip[0];
    const int32_t needed = segment + skip;
    state_.dictionary.Clear();
    state_.table1.Dimension(segment, fileCount);
    const std::string line = texts_.Text(13) + " File #1";
    progressLineAt_ = log_.Text().size();
    counterAt_ = *progressLineAt_ + line.size() - 2;
    log_.AppendDirect(line);
    std::vector<std::string> words;
    std::vector<uint32_t> ids(static_cast<size_t>(segment));
    view_.ShowProgress({ScanProgress::Pass::First, 0, fileCount, 0});
    for (int32_t k = 0; k < fileCount; ++k) {
        view_.Yield();
        if (blnStopRequested) {
            view_.EnableControls(true);
            return false;
        }
        RewriteCounter(k + 1);
        view_.ShowProgress({ScanProgress::Pass::First, k + 1, fileCount, 0});
        const std::string& name = names[static_cast<size_t>(k)];
        const std::string path = FullPath(folder, name);
        const FileWords read = ReadFirstFolderWords(path, needed, words);
        if (read.errorNumber != 0) {
            view_.NoteUnreadableFile(path, read.errorDescription);
        }
        if (read.count < needed) {
            state_.table1.StoreTooSmall(k, name);
            continue;
        }
        for (int32_t i = 0; i < segment; ++i) {
            const int32_t word = skip + i;
            ids[static_cast<size_t>(i)] =
                state_.dictionary.Intern(words[static_cast<size_t>(word)]);
        }
        state_.table1.Store(k, name, ids);
    }
    return true;
}

void ScanDriver::RewriteCounter(int32_t fileNumber) {
    const auto at = TrackedMarker(counterAt_, "#");
    if (!at) {
        return;
    }
    log_.SetText(log_.Text().substr(0, *at) + "#" + std::to_string(fileNumber));
}

void ScanDriver::CutProgressLine() {
    if (const auto at = TrackedMarker(progressLineAt_, texts_.Text(13))) {
        log_.CutAt(*at);
    }
    progressLineAt_.reset();
    counterAt_.reset();
}

bool ScanDriver::SecondPassOverFolder(const std::string& folder,
                                      const std::vector<std::string>& names) {
    const auto fileCount = static_cast<int32_t>(names.size());
    view_.ShowProgress({ScanProgress::Pass::Second, 0, fileCount, 0});
    const std::unique_ptr<SecondPass> pass = secondPassFactory_();
    pass->Begin(state_, SecondFolder{folder, names, intNumWordsToSkip[1]});
    matchCount_ = 0;
    bool completed = true;
    for (int32_t j = 0; j < fileCount && completed; ++j) {
        view_.Yield();
        if (blnStopRequested) {
            view_.EnableControls(true);
            completed = false;
            break;
        }
        view_.SetProcessingFileLabel("Processing file #" + std::to_string(j + 1) +
                                     " in the 2nd folder.");
        view_.WaitSeconds(1);
        view_.ShowMakerLabels(false);
        view_.ShowProgress({ScanProgress::Pass::Second, j + 1, fileCount, matchCount_});
        const FileLoad load = pass->LoadFile(state_, j);
        if (!load.readError.empty()) {
            view_.NoteUnreadableFile(FullPath(folder, names[static_cast<size_t>(j)]),
                                     load.readError);
        }
        if (load.usable) {
            completed = CompareWithFirstFolder(*pass, state_.table1.FileCount());
        }
    }
    pass->End();
    return completed;
}

bool ScanDriver::CompareWithFirstFolder(SecondPass& pass, int32_t fileCount1) {
    for (int32_t k = 0; k < fileCount1; ++k) {
        view_.Yield();
        if (blnStopRequested) {
            view_.EnableControls(true);
            return false;
        }
        if (!state_.table1.TooSmall(k)) {
            if (auto result = pass.Match(state_, k)) {
                ReportPair(k, *result);
            }
        }
        // The label is set after every pair; its text changes only with the count, and a
        // scan of millions of pairs should not build it millions of times.
        if (blnDuplicateFound && matchCount_ != labelCount_) {
            labelCount_ = matchCount_;
            view_.SetDuplicatesLabel(matchCount_ == 1
                                         ? "One duplicate found."
                                         : std::to_string(matchCount_) + " duplicates found.");
        }
    }
    return true;
}

void ScanDriver::ReportPair(int32_t k, const MatchResult& result) {
    ++matchCount_;
    blnDuplicateFound = true;
    state_.segments = result.texts;
    const ReportContext context{log_, blnOutputFull, view_, view_.DisplayReducedTextState() == 1,
                                intNumWordsToDisplay};
    ReportMatch(context, state_.table1.Name(k), result.percent, state_.words2.name,
                state_.segments);
    if (matchListener_) {
        matchListener_(MatchRecord{state_.table1.Name(k), state_.words2.name, result.percent,
                                   result.mode, result.offset});
    }
}

void ScanDriver::FinishScan() {
    blnReportStop = false;
    StopHandler();
    const std::string summary = matchCount_ == 0 ? texts_.Text(15)
                                : matchCount_ == 1
                                    ? texts_.Text(16)
                                    : "There are " + std::to_string(matchCount_) + " matches.";
    AppendToOutput(log_, summary, blnOutputFull, true, kOutputCap);
    view_.ShowMakerLabels(true);
    view_.EnableControls(true);
    scanCompleted_ = true;
}

}  // namespace ravelin
