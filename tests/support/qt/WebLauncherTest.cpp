#include "support/qt/QtTestSupport.h"
#include "support/qt/WebLauncher.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
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

// A refused page is explained by its result code and, for a missing association, by its file
// extension or, having none, by its address.
TEST(LaunchWebPage, ExplainsOnlyARefusedPage) {
    const QString manual = "https://www.quillmere.example/ravelin/Manual.HTM";
    const QString lead = "Error launching web browser, error code = ";
    const QString unknown = " is not associated with any application program.";
    const std::tuple<QString, int32_t, QString> rows[] = {
        {manual, 33, ""},
        {manual, kShellOpened, ""},
        {manual, 32, lead + "32."},
        {manual, 31, lead + "31.\r\n\r\nFile extension 'htm'" + unknown},
        {"https://q.example/", 31, lead + "31.\r\n\r\nWeb page 'https://q.example/'" + unknown},
        {manual, 8, lead + "8.\r\n\r\nOut of memory."},
        {manual, 5, lead + "5."},
        {manual, 2, lead + "2.\r\n\r\nPlease try once more."},
        {manual, 0, lead + "0."},
    };
    for (const auto& [page, result, explanation] : rows) {
        testing::FakeWebPageOpener opener;
        opener.result = result;
        testing::RecordingMessagePresenter messages;
        QWidget owner;
        LaunchWebPage(page, opener, messages, &owner);
        EXPECT_EQ(opener.addresses, std::vector<QString>{page});
        std::vector<testing::ShownMessage> expected;
        if (!explanation.isEmpty()) {
            expected.push_back(
                {&owner, explanation, "Cannot launch web browser", MessageIcon::Exclamation});
        }
        EXPECT_EQ(messages.shown, expected) << result;
    }
}

}  // namespace
}  // namespace ravelin
