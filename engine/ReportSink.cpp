#include "engine/ReportSink.h"

#include "engine/TextReduction.h"
#include "files/StringRoutines.h"
#include "files/TextEncoding.h"

namespace ravelin {
namespace {

std::string FolderLine(ScanPass pass, int32_t files, const std::string& path) {
    const std::string ext(kTextFileExtension);
    return (files == 1 ? "There is one '" + ext + "' file"
                       : "There are " + std::to_string(files) + " '" + ext + "' files") +
           " in the " + Ordinal(static_cast<int32_t>(pass) + 1) + " folder:\r\n" + Utf8Lossy(path) +
           "\r\n\r\n";
}

}  // namespace

void ReportSink::Append(std::string_view text, bool moveCaret) {
    AppendToOutput(log_, text, blnOutputFull, moveCaret, kOutputCap);
}

std::optional<size_t> ReportSink::TrackedMarker(const std::optional<size_t>& at,
                                                std::string_view text) const {
    return NotedText(log_, at, userEditsWhenNoted_, text);
}

void ReportSink::NoteMarkers() {
    userEditsWhenNoted_ = log_.UserEdits();
}

void ReportSink::OnScanBegun(const ScanOptions& options) {
    displayReducedText_ = options.displayReducedText;
    numWordsToDisplay_ = options.numWordsToDisplay;
    log_.SetText("");
    blnOutputFull = false;
    matchesInReport_ = 0;
    lastMatchAt_.reset();
    log_.SetText(texts_.Text(12) + "\r\n");
    progressLineAt_.reset();
    counterAt_.reset();
    NoteMarkers();
}

void ReportSink::OnFolderListed(const FolderListed& event) {
    const bool first = event.pass == ScanPass::First;
    if (event.files <= 0) {
        if (first) {
            log_.SetText("");
        }
        return;
    }
    const std::string line = FolderLine(event.pass, event.files, event.path);
    if (first) {
        log_.SetText(line);
    } else {
        Append(line, false);
    }
}

void ReportSink::OnPassBegun(ScanPass pass, int32_t /*files*/) {
    if (pass != ScanPass::First) {
        return;
    }
    const std::string line = texts_.Text(13) + " File #1";
    progressLineAt_ = log_.Text().size();
    counterAt_ = *progressLineAt_ + line.size() - 2;
    log_.AppendDirect(line);
}

void ReportSink::OnFileBegun(const FileBegun& event) {
    if (event.pass != ScanPass::First) {
        return;
    }
    if (const auto at = TrackedMarker(counterAt_, "#")) {
        log_.SetText(log_.Text().substr(0, *at) + "#" + std::to_string(event.index + 1));
    }
}

void ReportSink::OnPassEnded(ScanPass pass) {
    if (pass != ScanPass::First) {
        return;
    }
    if (const auto at = TrackedMarker(progressLineAt_, texts_.Text(13))) {
        log_.CutAt(*at);
    }
    progressLineAt_.reset();
    counterAt_.reset();
}

void ReportSink::OnMatch(const MatchFound& event) {
    const size_t before = log_.Text().size();
    // A full log refuses every text but the closing line break; a scan of many matches should
    // not build tens of thousands of reports nobody will see.
    if (blnOutputFull) {
        lastMatchAt_.reset();
        log_.AppendDirect("\r\n");
        log_.MoveCaretToEnd();
        return;
    }
    Append("File '" + Utf8Lossy(event.name1) + "' [1] in the 1st folder matches\r\nfile '" +
               Utf8Lossy(event.name2) + "' [2] in the 2nd folder",
           false);
    lastMatchAt_ = log_.Text().size() > before ? std::optional<size_t>(before) : std::nullopt;
    Append(event.Exact() ? ".\r\n" : " (though not exactly).\r\n", false);
    const int32_t m = numWordsToDisplay_;
    if (displayReducedText_ && m > 0) {
        Append("[1] " + Cp1252ToUtf8(FirstWords(event.segments.First(), m)) + "\r\n", false);
        if (event.Exact()) {
            Append("[2] {same}\r\n", true);
        } else {
            Append("[2] " + Cp1252ToUtf8(FirstWords(event.segments.Second(), m)) + "\r\n", false);
        }
    }
    if (!blnOutputFull) {
        ++matchesInReport_;
    }
    log_.AppendDirect("\r\n");
    log_.MoveCaretToEnd();
}

void ReportSink::OnScanEnded(const ScanEnded& event) {
    if (event.how == ScanEnd::EmptyFolder || event.how == ScanEnd::UnreadableFolder) {
        return;
    }
    if (event.how == ScanEnd::Stopped) {
        Append("\r\nSTOPPED\r\n", true);
        log_.MoveCaretToEnd();
        return;
    }
    log_.MoveCaretToEnd();
    const int32_t matches = event.matches;
    Append(matches == 0   ? texts_.Text(15)
           : matches == 1 ? texts_.Text(16)
                          : "There are " + std::to_string(matches) + " matches.",
           true);
}

}  // namespace ravelin
