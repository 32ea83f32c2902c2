#include "support/qt/QtTestSupport.h"
#include "support/qt/WebLauncher.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace ravelin {
namespace {

using testing::FakeWebPageOpener;
using testing::RecordingMessagePresenter;

TEST(FileExtension, TakesTheTextAfterTheLastDotOfTheLastPathPart) {
    const std::tuple<std::string, bool, std::string> rows[] = {
        {R"(D:\docs\Read.Me.TXT)", true, "txt"},
        {R"(D:\docs\Read.Me.TXT)", false, "TXT"},
        {R"(D:\dir.d\file)", true, ""},
        {"/home/u.v/manual", true, ""},
        {"/home/u/manual.\xC3\x89", true, "\xC3\x89"},  // UTF-8 stays as it is
    };
    for (const auto& [path, lowerCase, extension] : rows) {
        EXPECT_EQ(FileExtension(path, lowerCase), extension) << path;
    }
}

TEST(LaunchFailureMessage, AddsAdviceForTheThreeKnownCodesOnly) {
    const std::string lead = "Error launching web browser, error code = ";
    EXPECT_EQ(LaunchFailureMessage(2, "htm"), lead + "2.\r\n\r\nPlease try once more.");
    EXPECT_EQ(LaunchFailureMessage(8, "htm"), lead + "8.\r\n\r\nOut of memory.");
    EXPECT_EQ(LaunchFailureMessage(5, "htm"), lead + "5.");
    EXPECT_EQ(LaunchFailureMessage(31, "", "https://q.example/"),
              lead +
                  "31.\r\n\r\nWeb page 'https://q.example/' is not associated with any "
                  "application program.");
}

TEST(LaunchWebPage, ExplainsOnlyARefusedPage) {
    const QString page = QStringLiteral("https://www.quillmere.example/ravelin/Manual.HTM");
    for (const bool accepts : {true, false}) {
        FakeWebPageOpener opener(accepts);
        RecordingMessagePresenter messages;
        QWidget owner;
        LaunchWebPage(page, opener, messages, &owner);

        EXPECT_EQ(opener.addresses, std::vector<QString>{page});
        ASSERT_EQ(messages.shown.size(), accepts ? 0U : 1U);
        if (!accepts) {
            const testing::ShownMessage& shown = messages.shown.front();
            EXPECT_EQ(shown.parent, &owner);
            EXPECT_EQ(shown.title, "Cannot launch web browser");
            EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
            EXPECT_EQ(shown.text,
                      "Error launching web browser, error code = 31.\r\n\r\nFile extension 'htm' "
                      "is not associated with any application program.");
        }
    }
}

}  // namespace
}  // namespace ravelin
