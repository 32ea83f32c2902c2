#include "WindowTestSupport.h"

namespace ravelin {
namespace {

using LinksTest = testing::WindowTest;

TEST_F(LinksTest, TheManualBesideTheProgramOpensAfterItsNoticeAndTheMakersNameOpensTheSite) {
    StartWindow();
    Click("cmdUserManual");
    QTest::mouseClick(&Get("lblQuillmere"), Qt::LeftButton);
    EXPECT_EQ(world_.events, QStringList({"notice [17] opening the manual",
                                          "open file://" + QString::fromStdString(root_ / "") +
                                              "program%20folder/manual.html",
                                          "open https://www.quillmere.example/"}));
}

// Quit and the maker's button show the catalog in place of the window; closing shows none.
TEST_F(LinksTest, TheWaysOutOfTheWindow) {
    const std::tuple<QString, QString, bool> rows[] = {
        {"cmdQMsoftware", "catalog ff0000 in its place", true},
        {"cmdQuit", "catalog ff0000 in its place", false},
        {"", "", false},  // closed
    };
    for (const auto& [button, catalog, visibleAfter] : rows) {
        StartWindow();
        world_.events.clear();
        if (button.isEmpty()) {
            window_->close();
        } else {
            Click(button);
        }
        EXPECT_EQ(world_.events.join(""), catalog) << button.toStdString();
        EXPECT_EQ(window_->isVisible(), visibleAfter) << button.toStdString();
    }
}

}  // namespace
}  // namespace ravelin
