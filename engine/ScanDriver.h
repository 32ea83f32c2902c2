#pragma once

// The Start / Pause / Continue / Stop / Quit cycle of a scan and its two passes. Everything runs
// on one thread: the scan yields to the view between files and between pairs, and clicks that
// the view delivers there run these handlers again, nested in the scan; they talk to the running
// scan only through the flags below.

#include "engine/OutputLog.h"
#include "engine/ScanState.h"
#include "engine/ScanView.h"
#include "engine/SecondPass.h"
#include "engine/TextCatalog.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ravelin {

// One reported pair, for a front end that lists the matches apart from the report.
struct MatchRecord {
    std::string name1;
    std::string name2;
    int32_t percent = 0;
    int32_t mode = 0;
    int32_t offset = 0;
};

class ScanDriver {
  public:
    using SecondPassFactory = std::function<std::unique_ptr<SecondPass>()>;
    using MatchListener = std::function<void(const MatchRecord&)>;

    ScanDriver(ScanView& view, const TextCatalog& texts, SecondPassFactory secondPass);
    ScanDriver(const ScanDriver&) = delete;
    ScanDriver& operator=(const ScanDriver&) = delete;
    ~ScanDriver();

    void cmdStart_Click();
    void cmdQuit_Click();

    void SetMatchListener(MatchListener listener) { matchListener_ = std::move(listener); }

    OutputLog& Log() { return log_; }
    const OutputLog& Log() const { return log_; }
    const ScanState& State() const { return state_; }
    const std::string& StartCaption() const { return startCaption_; }
    const std::string& QuitCaption() const { return quitCaption_; }
    // True while a scan is on the stack, also a stopped one that has not unwound yet.
    bool ScanRunning() const { return scanDepth_ > 0; }
    // The last scan reached its summary.
    bool ScanCompleted() const { return scanCompleted_; }
    int32_t MatchCount() const { return matchCount_; }

    bool blnPaused = false;
    bool blnStopRequested = false;
    bool blnReportStop = true;
    bool blnOutputFull = false;
    bool blnDuplicateFound = false;

    int32_t intNumWordsToDisplay = 12;
    int32_t intNumWordsToSkip[2] = {0, 0};
    std::string strFileExt = "txt";

  private:
    struct Settings;
    void Pause();
    void Continue();
    void Start();
    void StopHandler();

    bool ReadSettings();
    bool CheckFolders(std::string (&folders)[2]);
    void SetUpWindowForScan();
    void RunScan(const std::string (&folders)[2]);
    bool ListFolder(int slot, const std::string& folder, std::vector<std::string>& names);
    void EndScanWithoutStop();
    bool FirstPass(const std::string& folder, const std::vector<std::string>& names);
    bool SecondPassOverFolder(const std::string& folder, const std::vector<std::string>& names);
    bool CompareWithFirstFolder(SecondPass& pass, int32_t fileCount1);
    void ReportPair(int32_t k, const MatchResult& result);
    void FinishScan();

    void RewriteCounter(int32_t fileNumber);
    void CutProgressLine();
    void SetCaptions(std::string start, std::string quit);
    std::optional<size_t> TrackedMarker(const std::optional<size_t>& at,
                                        const std::string& text) const;

    ScanView& view_;
    const TextCatalog& texts_;
    SecondPassFactory secondPassFactory_;
    MatchListener matchListener_;
    OutputLog log_;
    ScanState state_;
    std::string startCaption_ = "Start";
    std::string quitCaption_ = "Quit";
    int scanDepth_ = 0;
    bool scanCompleted_ = false;
    int32_t matchCount_ = 0;
    int32_t labelCount_ = 0;  // the match count the duplicates label shows

    // Where the scan itself wrote the progress line's counter and the pause marker, so that a
    // "#" or a marker text inside a folder or file name is never taken for them.
    std::optional<size_t> progressLineAt_;
    std::optional<size_t> counterAt_;
    std::optional<size_t> pauseMarkerAt_;
    uint64_t userEditsWhenNoted_ = 0;
};

}  // namespace ravelin
