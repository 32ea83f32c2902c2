#include "engine/MatchReport.h"

#include "engine/ScanView.h"
#include "engine/TextReduction.h"
#include "files/TextEncoding.h"

namespace ravelin {

void ReportMatch(const ReportContext& context, const std::string& strName1, int32_t intPercent,
                 const std::string& strName2, const SegmentTexts& segments) {
    context.view.SetWindowHeights(kLargeFormHeight, kLargeOutputHeight);
    const auto append = [&context](const std::string& text, bool moveCaret) {
        AppendToOutput(context.log, text, context.blnOutputFull, moveCaret, kOutputCap);
    };
    append("File '" + Utf8Lossy(strName1) + "' [1] in the 1st folder matches\r\nfile '" +
               Utf8Lossy(strName2) + "' [2] in the 2nd folder",
           false);
    append(intPercent == 100 ? ".\r\n" : " (though not exactly).\r\n", false);
    const int32_t m = context.intNumWordsToDisplay;
    if (context.displayReducedText && m > 0) {
        append("[1] " + Cp1252ToUtf8(FirstWords(segments.strSegment1, m)) + "\r\n", false);
        if (intPercent == 100) {
            append("[2] {same}\r\n", true);
        } else {
            append("[2] " + Cp1252ToUtf8(FirstWords(segments.strSegment2, m)) + "\r\n", false);
        }
    }
    context.log.AppendDirect("\r\n");
    context.log.MoveCaretToEnd();
}

}  // namespace ravelin
