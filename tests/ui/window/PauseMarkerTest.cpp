#include "TextsForTests.h"
#include "ui/PauseMarker.h"

#include <gtest/gtest.h>

namespace ravelin {
namespace {

// The marker goes where it was written, never a name that holds its text, and also after the
// user edited the box; a stop takes it away before the report's last line.
TEST(PauseMarkerTest, TheMarkerLeavesAsItCame) {
    const testing::MapTextCatalog texts(testing::ScanTexts());
    ReportSink report(texts);
    PauseMarker marker(report);
    report.OnScanBegun({});
    marker.OnScanBegun({});
    const std::string path = "/texts/#1 ... PAUSED";
    report.OnFolderListed({ScanPass::First, path, 2, nullptr});
    const std::string folderLine =
        "There are 2 'txt' files in the 1st folder:\r\n" + path + "\r\n\r\n";
    marker.Append();
    EXPECT_EQ(report.Log().Text(), folderLine + "\r\n ... PAUSED");
    marker.Remove();
    EXPECT_EQ(report.Log().Text(), folderLine + "\r\n");
    report.Log().TakeTextFromUser("edited\r\n");
    marker.Append();
    report.Log().TakeTextFromUser("edited again\r\n\r\n ... PAUSED");
    marker.OnScanEnded({ScanEnd::Stopped, 0});
    report.OnScanEnded({ScanEnd::Stopped, 0});
    EXPECT_EQ(report.Log().Text(), "edited again\r\n\r\n\r\nSTOPPED\r\n");
}

}  // namespace
}  // namespace ravelin
