#include "output/PassageReportSink.h"

#include "files/TextEncoding.h"
#include "output/ReportFormat.h"

#include <string>

namespace ravelin {
namespace {

// As many of a passage's words as a scan's report shows of a match.
constexpr int32_t kWordsShown = 12;

std::string Words(int32_t count) {
    return std::to_string(count) + (count == 1 ? " word" : " words");
}

std::string Share(int32_t percent, int32_t shared, int32_t total, const char* side) {
    return std::to_string(percent) + " % of " + side + " (" + std::to_string(shared) + " of " +
           Words(total) + ")";
}

}  // namespace

void PassageReportSink::OnFolderListed(const FolderListed& event) {
    if (event.files <= 0) {
        return;
    }
    out_ << (event.files == 1 ? std::string("There is one 'txt' file")
                              : "There are " + std::to_string(event.files) + " 'txt' files")
         << " in the " << (event.pass == ScanPass::First ? "1st" : "2nd") << " folder:\n"
         << Utf8Lossy(event.path) << "\n\n";
}

void PassageReportSink::OnPairFound(const PassagePairFound& event) {
    const PairPassages& pair = event.pair;
    const Passage& longest = pair.passages[static_cast<size_t>(pair.longest)];
    const size_t count = pair.passages.size();
    std::string text =
        "File '" + Utf8Lossy(event.name1) + "' [1] in the 1st folder shares " +
        (count == 1 ? std::string("a passage") : std::to_string(count) + " passages") +
        " with\nfile '" + Utf8Lossy(event.name2) +
        "' [2] in the 2nd folder: " + Share(pair.percent1, pair.shared1, pair.total1, "[1]") +
        " and " + Share(pair.percent2, pair.shared2, pair.total2, "[2]") + ".\n";
    text += "Longest, " + Words(longest.equal) + " equal: [1] words " +
            std::to_string(longest.start1 + 1) + "-" + std::to_string(longest.end1) +
            ", [2] words " + std::to_string(longest.start2 + 1) + "-" +
            std::to_string(longest.end2) + "\n";
    const int32_t shown = std::min(longest.end1, longest.start1 + kWordsShown);
    std::string words = event.Words1(longest.start1, shown);
    words.pop_back();  // the space after the last word
    text += "[1] " + Cp1252ToUtf8(words) + (shown < longest.end1 ? " ...\n\n" : "\n\n");
    out_ << text;
}

void PassageReportSink::OnScanEnded(const PassageScanEnded& event) {
    if (event.how == ScanEnd::EmptyFolder || event.how == ScanEnd::UnreadableFolder) {
        return;
    }
    if (event.how == ScanEnd::Stopped) {
        out_ << "STOPPED\n";
        return;
    }
    out_ << (event.pairs == 0   ? std::string("No two files share a passage.")
             : event.pairs == 1 ? std::string("There is 1 pair of files that share passages.")
                                : "There are " + std::to_string(event.pairs) +
                                      " pairs of files that share passages.")
         << '\n';
}

void PassageGroupsSink::OnScanEnded(const PassageScanEnded& /*event*/) {
    out_ << GroupsText(groups_);
}

}  // namespace ravelin
