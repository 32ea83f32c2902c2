#include "support/qt/PopUpWindow.h"
#include "support/qt/QtTestSupport.h"
#include "support/qt/Twips.h"

#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace ravelin {
namespace {

using testing::ModalScript;

constexpr int kLong = 600000;  // no display in these tests may end by its timer

// What a display looked like while it was up.
struct Display {
    const QWidget* window = nullptr;
    QPoint position;
    QSize size;
    QSize labelSize;
    QString text;
};

Display Capture(QWidget& modal) {
    const auto* popUp = qobject_cast<const frmPopUp*>(&modal);
    if (popUp == nullptr) {
        ADD_FAILURE() << "the modal window is not the pop-up";
        return {};
    }
    return {popUp, popUp->pos(), popUp->size(), popUp->lblMessage->size(),
            popUp->lblMessage->text()};
}

// Captures the display and ends it with a click on the message.
std::function<void(QWidget&)> CaptureAndClick(Display& seen) {
    return [&seen](QWidget& modal) {
        seen = Capture(modal);
        if (const auto* popUp = qobject_cast<const frmPopUp*>(&modal)) {
            QTest::mouseClick(popUp->lblMessage, Qt::LeftButton);
        }
    };
}

class PopUpWindowTest : public ::testing::Test {
  protected:
    int Pixels(int twips) const { return TwipsToPixels(twips, LogicalDpi(&popUp_)); }
    QPoint ScreenCentreFor(QSize size) const {
        const QRect screen = popUp_.screen()->geometry();
        return screen.topLeft() +
               QPoint((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
    }

    frmPopUp popUp_;
};

void ExpectNear(QPoint actual, QPoint expected) {
    EXPECT_NEAR(actual.x(), expected.x(), 1);
    EXPECT_NEAR(actual.y(), expected.y(), 1);
}

TEST_F(PopUpWindowTest, PopUpInFormPlacesTheNoticeFromTheWindowsTopLeftCorner) {
    QWidget main;
    main.move(Pixels(1000), Pixels(2000));
    Display seen;
    const ModalScript script(CaptureAndClick(seen));
    popUp_.PopUpInForm(&main, "Opening the manual", 7000, 300, kLong, 300, 500);

    ASSERT_TRUE(script.Ran());
    ExpectNear(seen.position, QPoint(Pixels(1500), Pixels(2300)));
    EXPECT_EQ(seen.size, QSize(Pixels(7000), Pixels(300)));
    EXPECT_EQ(seen.labelSize.width(), Pixels(7000));
    EXPECT_EQ(seen.text, "Opening the manual");
}

TEST_F(PopUpWindowTest, PopUpPlacesTheWindowOnTheScreenWithTheLabelFillingIt) {
    Display seen;
    const ModalScript script(CaptureAndClick(seen));
    popUp_.PopUp("Saved", 4500, 1200, kLong, 1500, 3000);

    ASSERT_TRUE(script.Ran());
    ExpectNear(seen.position, QPoint(Pixels(3000), Pixels(1500)));
    EXPECT_EQ(seen.size, QSize(Pixels(4500), Pixels(1200)));
    EXPECT_EQ(seen.labelSize, seen.size);
}

TEST_F(PopUpWindowTest, PopUpCenterScreenCentresTheSizeTheWindowHadBefore) {
    Display first;
    {
        const ModalScript script(CaptureAndClick(first));
        popUp_.PopUpCenterScreen("first", 6000, 900, kLong);
        ASSERT_TRUE(script.Ran());
    }
    Display second;
    {
        const ModalScript script(CaptureAndClick(second));
        popUp_.PopUpCenterScreen("second", 3000, 600, kLong);
        ASSERT_TRUE(script.Ran());
    }
    ExpectNear(first.position, ScreenCentreFor(QSize(Pixels(3495), Pixels(1995))));
    EXPECT_EQ(first.size, QSize(Pixels(6000), Pixels(900)));
    ExpectNear(second.position, ScreenCentreFor(first.size));
    EXPECT_EQ(second.size, QSize(Pixels(3000), Pixels(600)));
}

TEST_F(PopUpWindowTest, TheTimerEndsTheDisplayByItself) {
    bool shownWhileWaiting = false;
    const ModalScript script([&](QWidget& modal) { shownWhileWaiting = modal.isVisible(); });
    QWidget main;
    popUp_.PopUpInForm(&main, "A moment", 3000, 300, 50, 0, 0);

    EXPECT_TRUE(script.Ran());
    EXPECT_TRUE(shownWhileWaiting);
    EXPECT_FALSE(script.Rescued());
    EXPECT_FALSE(popUp_.isVisible());
    EXPECT_FALSE(popUp_.Timer1.isActive());
}

TEST_F(PopUpWindowTest, AReleaseOfAnyButtonOnTheMessageEndsTheDisplayAtOnce) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(static_cast<int>(button));
        const ModalScript script([&](QWidget&) { QTest::mouseClick(popUp_.lblMessage, button); });
        popUp_.PopUpCenterScreen("Click me", 3000, 300, kLong);

        EXPECT_TRUE(script.Ran());
        EXPECT_FALSE(script.Rescued());
        EXPECT_FALSE(popUp_.isVisible());
        EXPECT_FALSE(popUp_.Timer1.isActive());
    }
}

TEST(PopUpNotices, TwoNoticesReuseOneWindowAndShowOnlyTheSecondMessage) {
    PopUpNotices notices;
    QWidget main;
    std::vector<Display> seen(2);
    for (size_t i = 0; i < seen.size(); ++i) {
        const ModalScript script(CaptureAndClick(seen[i]));
        notices.PopUpInForm(&main, i == 0 ? "First notice" : "Second", 4000, 300, kLong, 0, 0);
        ASSERT_TRUE(script.Ran());
        EXPECT_FALSE(script.Rescued());
    }
    EXPECT_EQ(seen[0].window, seen[1].window);
    EXPECT_EQ(seen[1].text, "Second");
}

}  // namespace
}  // namespace ravelin
