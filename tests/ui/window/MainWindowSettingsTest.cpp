#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

#include <filesystem>

namespace ravelin {
namespace {

using testing::WindowTest;

class SettingsTest : public WindowTest {
  protected:
    QLineEdit& Box(const char* name) const { return Get<QLineEdit>(QString::fromUtf8(name)); }
    QCheckBox& Display() const { return Get<QCheckBox>(QStringLiteral("chkDisplayReducedText")); }
    void Click(const char* name) const {
        QTest::mouseClick(&Get<QPushButton>(QString::fromUtf8(name)), Qt::LeftButton);
    }
    QString Stored(const char* name) const {
        return QSettings(SettingsFile(), QSettings::IniFormat)
            .value(QStringLiteral("Software/Quillmere/RVN/") + QString::fromUtf8(name))
            .toString();
    }
    void ExpectStartUpDefaults() const {
        EXPECT_EQ(Box("txbNumWordsToSkip0").text(), "0");
        EXPECT_EQ(Box("txbNumWordsToSkip1").text(), "0");
        EXPECT_EQ(Box("txbNumWordsToCompare").text(), "20");
        EXPECT_EQ(Box("txbMatchThreshold").text(), "90");
        EXPECT_EQ(Box("txbNumWordsOfReducedTextToDisplay").text(), "12");
        EXPECT_EQ(Display().checkState(), Qt::Checked);
    }
};

TEST_F(SettingsTest, SaveClearAndRestoreRoundTrip) {
    StartWindow();
    const QString first = MakeFolderWithFiles("first", 1);
    const QString second = MakeFolderWithFiles("second", 2);
    folderDialog_.answers = {first, second};
    Click("cmdFolder0");
    Click("cmdFolder1");
    Box("txbNumWordsToSkip0").setText(QStringLiteral("3"));
    Box("txbNumWordsToSkip1").setText(QStringLiteral("4"));
    Box("txbNumWordsToCompare").setText(QStringLiteral("30"));
    Box("txbMatchThreshold").setText(QStringLiteral("85"));
    Box("txbNumWordsOfReducedTextToDisplay").setText(QStringLiteral("x7"));  // stored as typed
    Display().setCheckState(Qt::Unchecked);
    Click("cmdSaveSettings");

    EXPECT_EQ(Stored("1st folder"), first);
    EXPECT_EQ(Stored("2nd num words to skip"), "4");
    EXPECT_EQ(Stored("Num words to display"), "x7");
    EXPECT_EQ(Stored("Display reduced text"), " 0");
    EXPECT_EQ(Stored("optTxt"), "True");

    Click("cmdClearSettings");
    EXPECT_EQ(Box("txbFolder0").text(), "");
    EXPECT_EQ(Box("txbFolder1").text(), "");
    EXPECT_EQ(Get<QLabel>(QStringLiteral("lblNumFiles0")).text(), "");
    EXPECT_EQ(Box("txbNumWordsToCompare").text(), "50");  // Clear's default, not the restore's
    EXPECT_EQ(Box("txbNumWordsToSkip1").text(), "0");
    EXPECT_EQ(Display().checkState(), Qt::Checked);
    EXPECT_FALSE(Get<QPushButton>(QStringLiteral("cmdExchangeFolders")).isEnabled());
    EXPECT_EQ(Stored("2nd num words to skip"), "4");  // the store is left alone

    Click("cmdRestoreSettings");
    EXPECT_EQ(Box("txbFolder0").text(), first);
    EXPECT_EQ(Box("txbFolder1").text(), second);
    EXPECT_EQ(Box("txbNumWordsToSkip0").text(), "3");
    EXPECT_EQ(Box("txbNumWordsToSkip1").text(), "4");
    EXPECT_EQ(Box("txbNumWordsToCompare").text(), "30");
    EXPECT_EQ(Box("txbMatchThreshold").text(), "85");
    EXPECT_EQ(Box("txbNumWordsOfReducedTextToDisplay").text(), "x7");
    EXPECT_EQ(Display().checkState(), Qt::Unchecked);
    EXPECT_TRUE(Get<QPushButton>(QStringLiteral("cmdExchangeFolders")).isEnabled());
    EXPECT_EQ(Get<QLabel>(QStringLiteral("lblNumFiles0")).text(), "");  // no recount
}

TEST_F(SettingsTest, AnEmptyFolderIsStoredAsABlankAndRestoredEmpty) {
    StartWindow();
    Click("cmdSaveSettings");
    EXPECT_EQ(Stored("1st folder"), " ");
    EXPECT_EQ(Stored("2nd folder"), " ");
    EXPECT_EQ(Stored("Display reduced text"), " 1");
    Click("cmdRestoreSettings");
    EXPECT_EQ(Box("txbFolder0").text(), "");
    EXPECT_EQ(Box("txbFolder1").text(), "");
}

TEST_F(SettingsTest, StoredCheckBoxAndOptionTextsAreReadLikeBasic) {
    struct Row {
        const char* display;
        const char* option;
        Qt::CheckState state;
        bool selected;
    };
    const Row rows[] = {
        {" 1", "True", Qt::Checked, true},
        {" 0", "False", Qt::Unchecked, false},
        {" 2", "-1", Qt::PartiallyChecked, true},
        {"not a number", "0", Qt::Unchecked, false},
        {"7", "maybe", Qt::Checked, true},  // values the controls cannot take: the defaults
        {"1.5", "false", Qt::PartiallyChecked, false},
        {" 2.5", "TRUE", Qt::PartiallyChecked, true},  // halves go to the even neighbour
        {"0.5", "2", Qt::Unchecked, true},
    };
    StartWindow();
    for (const Row& row : rows) {
        Save("Display reduced text", QString::fromUtf8(row.display));
        Save("optTxt", QString::fromUtf8(row.option));
        Click("cmdRestoreSettings");
        EXPECT_EQ(Display().checkState(), row.state) << row.display;
        EXPECT_EQ(Get<QRadioButton>(QStringLiteral("optTxt")).isChecked(), row.selected)
            << row.option;
    }
}

TEST_F(SettingsTest, ACorruptOrUnreadableStoreGivesTheDefaults) {
    std::string corrupt;
    for (int c = 0; c < 256; ++c) {
        corrupt.push_back(static_cast<char>(c));
    }
    root_.Write("settings.ini", corrupt);
    StartWindow();
    ExpectStartUpDefaults();
    EXPECT_TRUE(messages_.shown.empty());

    std::filesystem::remove(root_.Path() / "settings.ini");
    std::filesystem::create_directory(root_.Path() / "settings.ini");
    StartWindow();
    ExpectStartUpDefaults();
    Click("cmdSaveSettings");  // fails silently
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace ravelin
