#include "support/qt/QtTestSupport.h"
#include "support/qt/WebLauncher.h"

#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravelin {
namespace {

using testing::FakeWebPageOpener;
using testing::RecordingMessagePresenter;

const QString kPage = QStringLiteral("https://www.quillmere.example/ravelin/manual.htm");

TEST(FileExtension, TakesTheTextAfterTheLastDotOfTheLastPathPart) {
    struct Row {
        std::string path;
        bool lowerCase;
        std::string extension;
    };
    const std::vector<Row> rows = {
        {R"(D:\docs\Read.Me.TXT)", true, "txt"},
        {R"(D:\docs\Read.Me.TXT)", false, "TXT"},
        {R"(D:\docs\README)", true, ""},
        {R"(D:\dir.d\file)", true, ""},
        {"https://www.quillmere.example/ravelin/manual.htm", true, "htm"},
        {"/home/u/manual.html", true, "html"},
        {"/home/u.v/manual", true, ""},
        {"archive.tar.GZ", true, "gz"},
        {"ends.with.dot.", true, ""},
        {"", true, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FileExtension(row.path, row.lowerCase), row.extension) << row.path;
    }
}

TEST(LaunchFailureMessage, AddsAdviceForTheThreeKnownCodesOnly) {
    struct Row {
        int32_t result;
        std::string message;
    };
    const std::vector<Row> rows = {
        {31,
         "Error launching web browser, error code = 31.\r\n\r\nFile extension 'htm' is not "
         "associated with any application program."},
        {2, "Error launching web browser, error code = 2.\r\n\r\nPlease try once more."},
        {8, "Error launching web browser, error code = 8.\r\n\r\nOut of memory."},
        {5, "Error launching web browser, error code = 5."},
        {0, "Error launching web browser, error code = 0."},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LaunchFailureMessage(row.result, "htm"), row.message) << row.result;
    }
}

TEST(LaunchWebPage, ExplainsARefusedPageInThreeLines) {
    FakeWebPageOpener opener(false);
    RecordingMessagePresenter messages;
    QWidget owner;
    LaunchWebPage(kPage, opener, messages, &owner);

    EXPECT_EQ(opener.addresses, std::vector<QString>{kPage});
    ASSERT_EQ(messages.shown.size(), 1U);
    const testing::ShownMessage& shown = messages.shown.front();
    EXPECT_EQ(shown.parent, &owner);
    EXPECT_EQ(shown.title, "Cannot launch web browser");
    EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
    const QStringList lines = shown.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith("code = 31.")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "File extension 'htm' is not associated with any application program.");
}

TEST(LaunchWebPage, ShowsNothingWhenTheDesktopOpensThePage) {
    FakeWebPageOpener opener(true);
    RecordingMessagePresenter messages;
    LaunchWebPage(kPage, opener, messages, nullptr);

    EXPECT_EQ(opener.addresses, std::vector<QString>{kPage});
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace ravelin
