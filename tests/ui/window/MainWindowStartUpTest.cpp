#include "WindowTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace ravelin {
namespace {

using StartUpTest = testing::WindowTest;

TEST_F(StartUpTest, AFirstStartShowsAnIdleSmallWindowAtTheTopCentre) {
    const frmMain& window = StartWindow();
    EXPECT_EQ(State(),
              (testing::WindowState{"Start/Quit", testing::kAllEnabled, "",
                                    "No duplicates found so far", "maker", "small", "", false}));
    EXPECT_EQ(window.windowTitle(),
              "Ravelin " + SoftwareVersion(RAVELIN_VERSION_MAJOR, RAVELIN_VERSION_MINOR));
    EXPECT_EQ(SoftwareVersion(1, 12), "1.120");
    EXPECT_EQ(Text("lblIntro"), "[6] introduction");
    EXPECT_FALSE(Get("cmdExchangeFolders").isEnabled() || Get("cmdCopyToClipboard").isEnabled());
    EXPECT_TRUE(world_.events.isEmpty());

    const QRect frame = window.frameGeometry();
    EXPECT_EQ(frame.top(), 0);
    EXPECT_LE(std::abs(2 * frame.left() + frame.width() - window.screen()->geometry().width()),
              frame.width() - window.width() + 1);
    // The progress labels share the footer with the maker labels, 100 twips above and below.
    const double dpi = LogicalDpi(&window);
    const int footer = PixelsToTwips(Get("lblCopyright").y(), dpi);
    EXPECT_EQ(Get("lblQMurl").y(), TwipsToPixels(footer, dpi));
    EXPECT_EQ(Get("lblProcessingFile").y(), TwipsToPixels(footer - 100, dpi));
    EXPECT_EQ(Get("lblNoDuplicatesFound").y(), TwipsToPixels(footer + 100, dpi));
}

TEST_F(StartUpTest, SavedFoldersAreCountedAndAVanishedOneIsReportedAndEmptied) {
    const std::pair<int, QString> rows[] = {// files, -1 for no folder; the count's caption
                                            {0, "[4] no files"},
                                            {1, "[5] one file"},
                                            {12, "12 .txt files"},
                                            {-1, ""}};
    for (const auto& [files, caption] : rows) {
        const std::string name = "folder" + std::to_string(files);
        const QString folder =
            files < 0 ? QString::fromStdString(root_ / name) : MakeFolder(name, files);
        Save("1st folder", folder);
        Save("2nd folder", MakeFolder("other", 2));
        world_.events.clear();
        StartWindow();
        EXPECT_EQ(QStringList({Get<QLineEdit>("txbFolder0").text(), Text("lblNumFiles0"),
                               Text("lblNumFiles1")}),
                  QStringList({files < 0 ? "" : folder, caption, "2 .txt files"}));
        EXPECT_EQ(Get("cmdExchangeFolders").isEnabled(), files >= 0);
        EXPECT_EQ(world_.events,
                  files < 0
                      ? QStringList{"message Path not found: 1st [3] folder no longer exists."}
                      : QStringList());
    }
}

// The fonts that stand in for the design's fonts must leave every caption whole.
TEST_F(StartUpTest, EveryCaptionFitsItsControl) {
    Save("1st folder", MakeFolder("first", 12));
    frmMain& window = StartWindow();
    Get<QLabel>("lblProcessingFile").setText("Processing file #32767 in the 2nd folder.");
    Get<QLabel>("lblNoDuplicatesFound").setText("32767 duplicates found.");
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QRect room = label->contentsRect();
        EXPECT_LE(label->wordWrap() ? label->heightForWidth(room.width())
                                    : label->fontMetrics().horizontalAdvance(label->text()),
                  label->wordWrap() ? room.height() : room.width())
            << label->objectName().toStdString();
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        // A push button needs a little room beside its caption for its frame.
        const int needed = qobject_cast<const QPushButton*>(button) != nullptr
                               ? button->fontMetrics().horizontalAdvance(button->text()) + 8
                               : button->sizeHint().width();
        EXPECT_LE(needed, button->width()) << button->objectName().toStdString();
    }
}

}  // namespace
}  // namespace ravelin
