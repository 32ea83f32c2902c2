#include "WindowTestSupport.h"
#include "support/qt/Twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace ravelin {
namespace {

using testing::WindowTest;

class StartUpTest : public WindowTest {
  protected:
    QString TextOf(const char* name) const {
        return Get<QLineEdit>(QString::fromUtf8(name)).text();
    }
    QString CaptionOf(const QString& name) const { return Get<QLabel>(name).text(); }
    bool Enabled(const char* name) const {
        return Get<QPushButton>(QString::fromUtf8(name)).isEnabled();
    }
};

TEST_F(StartUpTest, AFirstStartShowsTheDefaultsOfTheRestore) {
    const frmMain& window = StartWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(),
              "Ravelin " + SoftwareVersion(RAVELIN_VERSION_MAJOR, RAVELIN_VERSION_MINOR));
    EXPECT_EQ(TextOf("txbFolder0"), "");
    EXPECT_EQ(TextOf("txbFolder1"), "");
    EXPECT_EQ(TextOf("txbNumWordsToSkip0"), "0");
    EXPECT_EQ(TextOf("txbNumWordsToSkip1"), "0");
    EXPECT_EQ(TextOf("txbNumWordsToCompare"), "20");  // the restore's default, not start-up's 50
    EXPECT_EQ(TextOf("txbMatchThreshold"), "90");
    EXPECT_EQ(TextOf("txbNumWordsOfReducedTextToDisplay"), "12");
    EXPECT_EQ(Get<QCheckBox>(QStringLiteral("chkDisplayReducedText")).checkState(), Qt::Checked);
    EXPECT_TRUE(Get<QRadioButton>(QStringLiteral("optTxt")).isChecked());
    EXPECT_FALSE(Enabled("cmdExchangeFolders"));
    EXPECT_FALSE(Enabled("cmdCopyToClipboard"));
    EXPECT_TRUE(Enabled("cmdStart"));
    EXPECT_EQ(CaptionOf(QStringLiteral("lblNumFiles0")), "");
    EXPECT_EQ(CaptionOf(QStringLiteral("lblNumFiles1")), "");
    EXPECT_EQ(CaptionOf(QStringLiteral("lblIntro")), "[6] introduction");
    EXPECT_TRUE(Get<QLabel>(QStringLiteral("lblCopyright")).isVisible());
    EXPECT_FALSE(Get<QLabel>(QStringLiteral("lblProcessingFile")).isVisible());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(StartUpTest, TheWindowStartsSmallAtTheTopCentreOfTheScreen) {
    const frmMain& window = StartWindow();
    const double dpi = LogicalDpi(&window);
    EXPECT_EQ(window.height(), TwipsToPixels(kSmallFormHeight - kNonClientHeight, dpi));
    EXPECT_EQ(window.width(), TwipsToPixels(kDesignClientWidth, dpi));
    EXPECT_EQ(Get<QWidget>(QStringLiteral("txbOutput")).height(),
              TwipsToPixels(kSmallOutputHeight, dpi));
    EXPECT_EQ(window.frameGeometry().top(), 0);
    // Centred as well as the frame, which is known only once the window is shown, allows.
    const QRect frame = window.frameGeometry();
    EXPECT_LE(std::abs(2 * frame.left() + frame.width() - window.screen()->geometry().width()),
              frame.width() - window.width() + 1);
    // The progress labels share the footer with the maker labels, 100 twips above and below.
    const int footer = Get<QLabel>(QStringLiteral("lblCopyright")).y();
    EXPECT_EQ(Get<QLabel>(QStringLiteral("lblQMurl")).y(), footer);
    EXPECT_EQ(Get<QLabel>(QStringLiteral("lblProcessingFile")).y(),
              TwipsToPixels(PixelsToTwips(footer, dpi) - 100, dpi));
    EXPECT_EQ(Get<QLabel>(QStringLiteral("lblNoDuplicatesFound")).y(),
              TwipsToPixels(PixelsToTwips(footer, dpi) + 100, dpi));
}

TEST_F(StartUpTest, TheVersionIsMajorDotMinorAndZero) {
    EXPECT_EQ(SoftwareVersion(3, 0), "3.00");
    EXPECT_EQ(SoftwareVersion(3, 1), "3.10");
    EXPECT_EQ(SoftwareVersion(1, 12), "1.120");
}

TEST_F(StartUpTest, ASavedFolderThatNoLongerExistsIsReportedAndEmptied) {
    Save("1st folder", QString::fromStdString(root_ / "deleted"));
    Save("2nd folder", MakeFolderWithFiles("second", 3));
    StartWindow();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "1st [3] folder no longer exists.");
    EXPECT_EQ(messages_.shown[0].title, "Path not found");
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(TextOf("txbFolder0"), "");
    EXPECT_EQ(CaptionOf(QStringLiteral("lblNumFiles0")), "");
    EXPECT_EQ(CaptionOf(QStringLiteral("lblNumFiles1")), "3 .txt files");
    EXPECT_FALSE(Enabled("cmdExchangeFolders"));
}

TEST_F(StartUpTest, SavedFoldersAreCounted) {
    struct Row {
        int files;
        QString caption;
    };
    const Row rows[] = {{0, "[4] no files"}, {1, "[5] one file"}, {12, "12 .txt files"}};
    for (const Row& row : rows) {
        const std::string name = "folder" + std::to_string(row.files);
        Save("1st folder", MakeFolderWithFiles(name, row.files));
        Save("2nd folder", MakeFolderWithFiles("other", 2));
        StartWindow();
        EXPECT_EQ(CaptionOf(QStringLiteral("lblNumFiles0")), row.caption);
        EXPECT_EQ(CaptionOf(QStringLiteral("lblNumFiles1")), "2 .txt files");
        EXPECT_TRUE(Enabled("cmdExchangeFolders"));
        EXPECT_TRUE(messages_.shown.empty());
    }
}

// The fonts that stand in for the design's fonts must leave every caption whole.
TEST_F(StartUpTest, EveryCaptionFitsItsControl) {
    Save("1st folder", MakeFolderWithFiles("first", 12));
    Save("2nd folder", MakeFolderWithFiles("second", 1));
    frmMain& window = StartWindow();
    const QStringList longestCaptions = {
        QStringLiteral("Processing file #32767 in the 2nd folder."),
        QStringLiteral("32767 duplicates found."),
    };
    Get<QLabel>(QStringLiteral("lblProcessingFile")).setText(longestCaptions[0]);
    Get<QLabel>(QStringLiteral("lblNoDuplicatesFound")).setText(longestCaptions[1]);
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(room.width()), room.height())
                << label->objectName().toStdString();
        } else {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), room.width())
                << label->objectName().toStdString();
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const bool plainButton = qobject_cast<const QPushButton*>(button) != nullptr;
        // A push button needs a little room beside its caption for its frame.
        const int needed = plainButton ? button->fontMetrics().horizontalAdvance(button->text()) + 8
                                       : button->sizeHint().width();
        EXPECT_LE(needed, button->width()) << button->objectName().toStdString();
    }
}

}  // namespace
}  // namespace ravelin
