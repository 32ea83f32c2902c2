#include "support/qt/QtTestSupport.h"
#include "support/qt/WebLauncher.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace ravelin {
namespace {

TEST(FileExtension, TakesTheTextAfterTheLastDotOfTheLastPathPart) {
    const std::tuple<std::string, bool, std::string> rows[] = {
        {R"(D:\docs\Read.Me.TXT)", true, "txt"},
        {R"(D:\docs\Read.Me.TXT)", false, "TXT"},
        {"/home/u.v/manual", true, ""},  // a dot before the last part is no extension
        {"/home/u/manual.\xC3\x89", true, "\xC3\x89"},  // UTF-8 stays as it is
    };
    for (const auto& [path, lowerCase, extension] : rows) {
        EXPECT_EQ(FileExtension(path, lowerCase), extension) << path;
    }
}

// A refused page is explained by its file extension or, having none, by its address.
TEST(LaunchWebPage, ExplainsOnlyARefusedPage) {
    const QString manual = "https://www.quillmere.example/ravelin/Manual.HTM";
    const QString lead = "Error launching web browser, error code = 31.\r\n\r\n";
    const QString unknown = " is not associated with any application program.";
    const std::tuple<QString, bool, QString> rows[] = {
        {manual, true, ""},
        {manual, false, lead + "File extension 'htm'" + unknown},
        {"https://q.example/", false, lead + "Web page 'https://q.example/'" + unknown},
    };
    for (const auto& [page, accepts, explanation] : rows) {
        testing::FakeWebPageOpener opener;
        opener.accepts = accepts;
        testing::RecordingMessagePresenter messages;
        QWidget owner;
        LaunchWebPage(page, opener, messages, &owner);
        EXPECT_EQ(opener.addresses, std::vector<QString>{page});
        std::vector<testing::ShownMessage> expected;
        if (!explanation.isEmpty()) {
            expected.push_back(
                {&owner, explanation, "Cannot launch web browser", MessageIcon::Exclamation});
        }
        EXPECT_EQ(messages.shown, expected) << page.toStdString();
    }
}

}  // namespace
}  // namespace ravelin
