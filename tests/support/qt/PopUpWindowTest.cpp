#include "support/qt/PopUpWindow.h"
#include "support/qt/QtTestSupport.h"
#include "support/qt/Twips.h"

#include <QLabel>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace ravelin {
namespace {

using testing::ModalScript;

constexpr int kLong = 600000;  // no display in these tests may end by its timer

// What a display looked like while it was up.
struct Display {
    QPointer<QWidget> window;
    QPoint position;
    QSize size;
    QSize labelSize;
    QString text;
};

// Runs `show` and captures the display, then ends it with a release of `button` on the message
// (with Qt::NoButton, leaves it to its timer).
Display Shown(const std::function<void()>& show, Qt::MouseButton button = Qt::LeftButton) {
    Display seen;
    const ModalScript script([&seen, button](QWidget& modal) {
        auto* popUp = qobject_cast<frmPopUp*>(&modal);
        if (popUp == nullptr) {
            ADD_FAILURE() << "the modal window is not the pop-up";
            return;
        }
        seen = {popUp, popUp->pos(), popUp->size(), popUp->lblMessage->size(),
                popUp->lblMessage->text()};
        if (button != Qt::NoButton) {
            QTest::mouseClick(popUp->lblMessage, button);
        }
    });
    show();
    EXPECT_TRUE(script.Ran());
    EXPECT_FALSE(script.Rescued());
    return seen;
}

class PopUpWindowTest : public ::testing::Test {
  protected:
    int Pixels(int twips) const { return TwipsToPixels(twips, LogicalDpi(&popUp_)); }

    frmPopUp popUp_;
};

TEST_F(PopUpWindowTest, PopUpInFormPlacesTheNoticeFromTheWindowsTopLeftCorner) {
    QWidget main;
    main.move(Pixels(1000), Pixels(2000));
    const Display seen =
        Shown([&] { popUp_.PopUpInForm(&main, "Opening the manual", 7000, 300, kLong, 300, 500); });
    EXPECT_EQ(seen.position, QPoint(Pixels(1500), Pixels(2300)));
    EXPECT_EQ(seen.size, QSize(Pixels(7000), Pixels(300)));
    EXPECT_EQ(seen.labelSize.width(), Pixels(7000));
    EXPECT_EQ(seen.text, "Opening the manual");
}

TEST_F(PopUpWindowTest, PopUpPlacesTheWindowOnTheScreenWithTheLabelFillingIt) {
    const Display seen = Shown([&] { popUp_.PopUp("Saved", 4500, 1200, kLong, 1500, 3000); });
    EXPECT_EQ(seen.position, QPoint(Pixels(3000), Pixels(1500)));
    EXPECT_EQ(seen.size, QSize(Pixels(4500), Pixels(1200)));
    EXPECT_EQ(seen.labelSize, seen.size);
}

TEST_F(PopUpWindowTest, PopUpCenterScreenCentresTheSizeTheWindowHadBefore) {
    const Display first = Shown([&] { popUp_.PopUpCenterScreen("first", 6000, 900, kLong); });
    // Any button ends a display, and its timer with it.
    const Display second =
        Shown([&] { popUp_.PopUpCenterScreen("second", 3000, 600, kLong); }, Qt::RightButton);
    EXPECT_FALSE(popUp_.Timer1.isActive());
    const QRect screen = popUp_.screen()->geometry();
    const auto centred = [&screen](QSize size) {
        return screen.topLeft() +
               QPoint((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
    };
    // Twips round to whole pixels both ways, which may move the window by one.
    EXPECT_LE((first.position - centred(QSize(Pixels(3495), Pixels(1995)))).manhattanLength(), 2);
    EXPECT_LE((second.position - centred(first.size)).manhattanLength(), 2);
}

TEST_F(PopUpWindowTest, TheTimerEndsTheDisplayByItself) {
    QWidget main;
    const Display seen =
        Shown([&] { popUp_.PopUpInForm(&main, "A moment", 3000, 300, 50, 0, 0); }, Qt::NoButton);
    EXPECT_EQ(seen.text, "A moment");
    EXPECT_FALSE(popUp_.isVisible());
    EXPECT_FALSE(popUp_.Timer1.isActive());
}

TEST(PopUpNotices, TwoNoticesReuseOneWindowAndShowOnlyTheSecondMessage) {
    PopUpNotices notices;
    QWidget main;
    const Display first =
        Shown([&] { notices.PopUpInForm(&main, "First", 4000, 300, kLong, 0, 0); });
    const Display second =
        Shown([&] { notices.PopUpInForm(&main, "Second", 4000, 300, kLong, 0, 0); });
    EXPECT_FALSE(first.window.isNull());
    EXPECT_EQ(first.window, second.window);
    EXPECT_EQ(second.text, "Second");
}

}  // namespace
}  // namespace ravelin
