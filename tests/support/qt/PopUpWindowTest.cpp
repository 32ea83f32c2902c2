#include "support/qt/PopUpWindow.h"
#include "support/qt/QtTestSupport.h"
#include "support/qt/Twips.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QRect>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace ravelin {
namespace {

// What a display looked like while it was up, and the picture of it.
struct Display {
    QRect geometry;
    QString text;
    QImage picture;
};

// Runs `show` and captures the display, then ends it with a click on the message (with
// Qt::NoButton, leaves it to its timer); a display the click does not end fails the script.
Display Shown(const std::function<void()>& show, Qt::MouseButton button = Qt::LeftButton) {
    Display seen;
    const testing::ModalScript script([&seen, button](QWidget& modal) {
        auto* popUp = qobject_cast<frmPopUp*>(&modal);
        ASSERT_NE(popUp, nullptr) << "the modal window is not the pop-up";
        seen = {popUp->geometry(), popUp->lblMessage->text(), popUp->grab().toImage()};
        if (button != Qt::NoButton) {
            QTest::mouseClick(popUp->lblMessage, button);
        }
    });
    show();
    EXPECT_TRUE(script.Ran() && !script.Rescued());
    return seen;
}

// The notice is far lower than its label, which keeps the height it was made with; the text must
// still be drawn inside the window, in the message's blue.
TEST(PopUpNotices, PopUpInFormShowsItsTextInSightFromTheWindowsCorner) {
    PopUpNotices notices;
    QWidget main;
    const auto pixels = [&main](int twips) { return TwipsToPixels(twips, LogicalDpi(&main)); };
    main.move(pixels(1000), pixels(2000));
    const Display seen = Shown(
        [&] { notices.PopUpInForm(&main, "Opening the manual", 7000, 300, 600000, 300, 500); });
    EXPECT_EQ(seen.geometry, QRect(pixels(1500), pixels(2300), pixels(7000), pixels(300)));
    EXPECT_EQ(seen.text, "Opening the manual");
    int inkPixels = 0;
    for (int i = 0; i < seen.picture.width() * seen.picture.height(); ++i) {
        const QColor pixel =
            seen.picture.pixelColor(i % seen.picture.width(), i / seen.picture.width());
        inkPixels += pixel.blue() - pixel.red() > 64 ? 1 : 0;
    }
    EXPECT_GT(inkPixels, 20);
}

// PopUp puts the window where it is told, the label filling it; PopUpCenterScreen centres the
// size the window had before it is resized, as the design it copies did.
TEST(PopUpWindow, PopUpPlacesAndPopUpCenterScreenCentres) {
    frmPopUp popUp;
    const auto pixels = [&popUp](int twips) { return TwipsToPixels(twips, LogicalDpi(&popUp)); };
    const Display placed = Shown([&] { popUp.PopUp("Saved", 4500, 1200, 600000, 1500, 3000); });
    EXPECT_EQ(placed.geometry, QRect(pixels(3000), pixels(1500), pixels(4500), pixels(1200)));
    EXPECT_EQ(popUp.lblMessage->size(), placed.geometry.size());
    const Display centred = Shown([&] { popUp.PopUpCenterScreen("Centred", 3000, 600, 600000); });
    const QRect screen = popUp.screen()->geometry();
    const QPoint expected =
        screen.topLeft() + QPoint((screen.width() - placed.geometry.width()) / 2,
                                  (screen.height() - placed.geometry.height()) / 2);
    // Twips round to whole pixels both ways, which may move the window by one.
    EXPECT_LE((centred.geometry.topLeft() - expected).manhattanLength(), 2);
}

TEST(PopUpWindow, TheTimerEndsTheDisplayByItself) {
    frmPopUp popUp;
    Shown([&] { popUp.PopUpInForm(nullptr, "A moment", 3000, 300, 50, 0, 0); }, Qt::NoButton);
    EXPECT_FALSE(popUp.isVisible() || popUp.Timer1.isActive());
}

}  // namespace
}  // namespace ravelin
