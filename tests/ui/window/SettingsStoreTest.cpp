#include "TempFolder.h"
#include "support/qt/QtTestSupport.h"
#include "ui/SettingsStore.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace ravelin {
namespace {

const QString kKeyPath = QStringLiteral("Software\\Quillmere\\RVN");

class SettingsStoreTest : public ::testing::Test {
  protected:
    QString File() const { return QString::fromStdString(root_ / "settings.ini"); }
    static QString Restore(const SettingsStore& store, const QString& name) {
        return store.RestoreSettingValue("\\RVN", name, "-");
    }

    testing::TempFolder root_;
    SettingsStore store_{File()};
};

TEST_F(SettingsStoreTest, WritesReportTheKeyStepAndReadsTheirVerdict) {
    EXPECT_EQ(store_.RegWriteString(kKeyPath, "present", "x"),
              "0 New key created.  The operation completed successfully.\r\n");
    EXPECT_EQ(store_.RegWriteString(kKeyPath, "b", "2"),
              "0 Key already exists.  The operation completed successfully.\r\n");
    // Written past the store, as a hand-editing user or another program would.
    QSettings(File(), QSettings::IniFormat).setValue("Software/Quillmere/RVN/empty", "");
    QSettings(File(), QSettings::IniFormat).setValue("Software/Quillmere/RVN/tab", "folder\t\r");
    const std::tuple<QString, QString, QString, QString> rows[] = {
        {kKeyPath, "present", "0 OK", "x"},
        {kKeyPath, "tab", "0 OK", "folder"},
        {"", "present", "1 Key not found or is empty.", "untouched"},
        {"Software\\Quillmere\\Other", "present", "1 Key not found or is empty.", "untouched"},
        {kKeyPath, "", "2 Name not specified.", "untouched"},
        {kKeyPath, "missing", "3 Name not found.", "untouched"},
        {kKeyPath, "empty", "3 Name not found.", "untouched"},
    };
    for (const auto& [keyPath, name, status, expected] : rows) {
        QString value = "untouched";
        EXPECT_EQ(store_.RegReadString(keyPath, name, value), status) << name.toStdString();
        EXPECT_EQ(value, expected) << name.toStdString();
    }
}

TEST_F(SettingsStoreTest, EmptyValuesAreStoredAsOneBlankAndAnUnquotedListIsReadWhole) {
    EXPECT_TRUE(store_.SaveSettingValue("\\RVN", "folder", ""));
    EXPECT_EQ(Restore(store_, "folder"), " ");
    EXPECT_EQ(Restore(store_, "other"), "-");
    QFile file(File());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("Quillmere\\RVN\\list=a, b\n");
    file.close();
    EXPECT_EQ(Restore(store_, "list"), "a, b");
}

TEST_F(SettingsStoreTest, AnUnusableFileGivesDefaultsAndADamagedOneWhatItStillHolds) {
    root_.Write("plain", "a file where a folder should be");
    const SettingsStore unwritable(QString::fromStdString(root_ / "plain/settings.ini"));
    EXPECT_EQ(unwritable.RegWriteString(kKeyPath, "a", "1"),
              "5 Unable to create (or find) key.  Access is denied.\r\n");
    EXPECT_FALSE(unwritable.SaveSettingValue("\\RVN", "a", "1"));
    EXPECT_EQ(Restore(unwritable, "a"), "-");
    std::filesystem::create_directory(root_.Path() / "directory.ini");
    EXPECT_EQ(Restore(SettingsStore(QString::fromStdString(root_ / "directory.ini")), "a"), "-");

    std::string damaged = "[Software]\nQuillmere\\RVN\\a=2\n";
    for (int c = 0; c < 256; ++c) {
        damaged.push_back(static_cast<char>(c));
    }
    root_.Write("settings.ini", damaged);
    EXPECT_EQ(Restore(store_, "a"), "2");
    // Saving writes the file afresh, keeping what could be made out.
    EXPECT_TRUE(store_.SaveSettingValue("\\RVN", "b", "3"));
    EXPECT_EQ(Restore(store_, "b"), "3");
    EXPECT_EQ(Restore(store_, "a"), "2");
}

}  // namespace
}  // namespace ravelin
