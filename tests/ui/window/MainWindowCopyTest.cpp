#include "WindowTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ravelin {
namespace {

using CopyTest = testing::WindowTest;

// What the user types becomes the report, with the report's own line ends; Copy trims its blanks
// but keeps its line breaks, and takes nothing when nothing is left.
TEST_F(CopyTest, CopyTrimsTheReportAndClearEmptiesIt) {
    struct Row {
        QString typed;
        QString button;
        QString output;
        QString clipboard;
    };
    const Row rows[] = {
        {"  first line\nsecond line\n  ", "cmdCopyToClipboard", "first line\nsecond line\n",
         "first line\nsecond line\n"},
        {"   ", "cmdCopyToClipboard", "", "before"},
        {"report", "cmdClearSettings", "", "before"},
    };
    for (const Row& row : rows) {
        StartWindow();
        QGuiApplication::clipboard()->setText("before");
        Get<QPlainTextEdit>("txbOutput").setPlainText(row.typed);
        EXPECT_EQ(window_->Log().Text(), QString(row.typed).replace("\n", "\r\n").toStdString());
        // The timer enables the button within a second of text arriving.
        ASSERT_TRUE(QTest::qWaitFor([this] { return Get("cmdCopyToClipboard").isEnabled(); }));
        Click(row.button);
        EXPECT_EQ(Output(), row.output) << row.typed.toStdString();
        EXPECT_EQ(window_->Log().Text(), QString(row.output).replace("\n", "\r\n").toStdString());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), row.clipboard);
        EXPECT_EQ(Get("cmdCopyToClipboard").isEnabled(), !row.output.isEmpty());
    }
}

}  // namespace
}  // namespace ravelin
