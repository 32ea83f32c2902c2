#include "WindowTestSupport.h"
#include "support/qt/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace ravelin {
namespace {

using testing::WindowTest;

using LinksTest = WindowTest;

TEST_F(LinksTest, TheManualOpensBesideTheProgramAfterItsNotice) {
    StartWindow();
    const double dpi = LogicalDpi(window_.get());
    QTest::mouseClick(&Get<QPushButton>(QStringLiteral("cmdUserManual")), Qt::LeftButton);
    ASSERT_EQ(notices_.shown.size(), 1u);
    const testing::ShownNotice& notice = notices_.shown[0];
    EXPECT_EQ(notice.message, "[17] opening the manual");
    EXPECT_EQ(notice.width, 7000);
    EXPECT_EQ(notice.height, 300);
    EXPECT_EQ(notice.interval, 4000);
    // 330 twips below the top of lblNumWordsToCompare, and centred over the whole window.
    EXPECT_EQ(notice.top,
              PixelsToTwips(Get<QLabel>(QStringLiteral("lblNumWordsToCompare")).y(), dpi) + 330);
    EXPECT_LE(
        std::abs(2 * notice.left + 7000 - PixelsToTwips(window_->frameGeometry().width(), dpi)), 1);
    EXPECT_EQ(notice.pagesOpenedBefore, 0u);  // the page opens after the notice
    EXPECT_EQ(opener_.addresses,
              std::vector<QString>{"file://" + QString::fromStdString(root_.Path().string()) +
                                   "/program%20folder/manual.html"});
}

TEST_F(LinksTest, TheMakersNameOpensTheHomePage) {
    StartWindow();
    QLabel& maker = Get<QLabel>(QStringLiteral("lblQuillmere"));
    EXPECT_EQ(maker.toolTip(),
              "Click here for the Quillmere website at https://www.quillmere.example/.");
    QTest::mouseClick(&maker, Qt::LeftButton);
    EXPECT_EQ(opener_.addresses, std::vector<QString>{"https://www.quillmere.example/"});
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(LinksTest, TheCatalogIsShownWhileTheWindowIsHidden) {
    StartWindow();
    QTest::mouseClick(&Get<QPushButton>(QStringLiteral("cmdQMsoftware")), Qt::LeftButton);
    ASSERT_EQ(catalog_.shown.size(), 1u);
    EXPECT_EQ(catalog_.shown[0].titleColor, 0x00FF0000u);
    EXPECT_FALSE(catalog_.shown[0].ownerVisible);
    EXPECT_TRUE(window_->isVisible());
}

}  // namespace
}  // namespace ravelin
