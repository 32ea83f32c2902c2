#pragma once

// The lines that report one matching pair of files.

#include "engine/OutputLog.h"
#include "engine/SegmentMatcher.h"

#include <cstdint>
#include <string>

namespace ravelin {

class ScanView;

struct ReportContext {
    OutputLog& log;
    bool& blnOutputFull;
    ScanView& view;
    bool displayReducedText;       // the check box ticked (state 1)
    int32_t intNumWordsToDisplay;  // M
};

// strName1 and strName2 are file names as the file system gives them; intPercent is the value of
// the matching comparison, whose words are in `segments` (Windows-1252).
void ReportMatch(const ReportContext& context, const std::string& strName1, int32_t intPercent,
                 const std::string& strName2, const SegmentTexts& segments);

}  // namespace ravelin
