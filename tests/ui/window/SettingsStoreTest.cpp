#include "TempFolder.h"
#include "support/qt/QtTestSupport.h"
#include "ui/SettingsStore.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>

namespace ravelin {
namespace {

using testing::TempFolder;

const QString kKeyPath = QStringLiteral("Software\\Quillmere\\RVN");
const QString kSubkey = QStringLiteral("\\RVN");

class SettingsStoreTest : public ::testing::Test {
  protected:
    QString File() const { return QString::fromStdString(root_ / "settings.ini"); }

    // Writes a value as a hand-editing user or another program would, past the store.
    void WriteRaw(const QString& name, const QVariant& value) const {
        QSettings raw(File(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("Software/Quillmere/RVN/") + name, value);
    }

    TempFolder root_;
    SettingsStore store_{File()};
};

TEST_F(SettingsStoreTest, WriteReportsTheKeyStepAndTheMessage) {
    EXPECT_EQ(store_.RegWriteString(kKeyPath, QStringLiteral("a"), QStringLiteral("1")),
              "0 New key created.  The operation completed successfully.\r\n");
    EXPECT_EQ(store_.RegWriteString(kKeyPath, QStringLiteral("b"), QStringLiteral("2")),
              "0 Key already exists.  The operation completed successfully.\r\n");
    QString value;
    EXPECT_EQ(store_.RegReadString(kKeyPath, QStringLiteral("a"), value), "0 OK");
    EXPECT_EQ(value, "1");
}

TEST_F(SettingsStoreTest, ReadStatusesCarryTheirVerdict) {
    store_.RegWriteString(kKeyPath, QStringLiteral("present"), QStringLiteral("x"));
    WriteRaw(QStringLiteral("empty"), QString());
    struct Row {
        QString keyPath;
        QString name;
        QString status;
    };
    const Row rows[] = {
        {QString(), QStringLiteral("present"), "1 Key not found or is empty."},
        {QStringLiteral("Software\\Quillmere\\Other"), QStringLiteral("present"),
         "1 Key not found or is empty."},
        {kKeyPath, QString(), "2 Name not specified."},
        {kKeyPath, QStringLiteral("missing"), "3 Name not found."},
        {kKeyPath, QStringLiteral("empty"), "3 Name not found."},
    };
    for (const Row& row : rows) {
        QString value = QStringLiteral("untouched");
        EXPECT_EQ(store_.RegReadString(row.keyPath, row.name, value), row.status)
            << row.name.toStdString();
        EXPECT_EQ(value, "untouched");
    }
}

TEST_F(SettingsStoreTest, HandEditedValuesAreReadWhole) {
    WriteRaw(QStringLiteral("tab"), QStringLiteral("folder\t\r"));
    QString value;
    EXPECT_EQ(store_.RegReadString(kKeyPath, QStringLiteral("tab"), value), "0 OK");
    EXPECT_EQ(value, "folder");

    // An unquoted comma makes the INI reader see a list.
    {
        QFile file(File());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("Quillmere\\RVN\\list=a, b\n");
    }
    EXPECT_EQ(store_.RestoreSettingValue(kSubkey, QStringLiteral("list"), QStringLiteral("-")),
              "a, b");
}

TEST_F(SettingsStoreTest, EmptyValuesAreStoredAsOneBlank) {
    EXPECT_TRUE(store_.SaveSettingValue(kSubkey, QStringLiteral("folder"), QString()));
    EXPECT_EQ(QSettings(File(), QSettings::IniFormat)
                  .value(QStringLiteral("Software/Quillmere/RVN/folder"))
                  .toString(),
              " ");
    EXPECT_EQ(store_.RestoreSettingValue(kSubkey, QStringLiteral("folder"), QStringLiteral("-")),
              " ");
    EXPECT_EQ(store_.RestoreSettingValue(kSubkey, QStringLiteral("other"), QStringLiteral("-")),
              "-");
}

TEST_F(SettingsStoreTest, AWriteThatCannotBeSavedSaysSo) {
    root_.Write("plain", "a file where a folder should be");
    const SettingsStore store(QString::fromStdString(root_ / "plain/settings.ini"));
    EXPECT_EQ(store.RegWriteString(kKeyPath, QStringLiteral("a"), QStringLiteral("1")),
              "5 Unable to create (or find) key.  Access is denied.\r\n");
    EXPECT_FALSE(store.SaveSettingValue(kSubkey, QStringLiteral("a"), QStringLiteral("1")));
    EXPECT_EQ(store.RestoreSettingValue(kSubkey, QStringLiteral("a"), QStringLiteral("-")), "-");
}

TEST_F(SettingsStoreTest, AnUnreadableFileGivesDefaultsAndADamagedOneWhatItStillHolds) {
    std::filesystem::create_directory(root_.Path() / "directory.ini");
    const SettingsStore unreadable(QString::fromStdString(root_ / "directory.ini"));
    QString value;
    EXPECT_EQ(unreadable.RegReadString(kKeyPath, QStringLiteral("a"), value),
              "1 Key not found or is empty.");

    // Of a damaged file, what can still be made out is used.
    std::string damaged = "[Software]\nQuillmere\\RVN\\a=2\n";
    for (int c = 0; c < 256; ++c) {
        damaged.push_back(static_cast<char>(c));
    }
    root_.Write("settings.ini", damaged);
    EXPECT_EQ(store_.RestoreSettingValue(kSubkey, QStringLiteral("a"), QStringLiteral("-")), "2");
    EXPECT_EQ(store_.RestoreSettingValue(kSubkey, QStringLiteral("b"), QStringLiteral("-")), "-");

    // Saving writes the file afresh, and what was saved can be read again.
    EXPECT_TRUE(store_.SaveSettingValue(kSubkey, QStringLiteral("b"), QStringLiteral("3")));
    EXPECT_EQ(store_.RestoreSettingValue(kSubkey, QStringLiteral("b"), QStringLiteral("-")), "3");
    EXPECT_EQ(store_.RestoreSettingValue(kSubkey, QStringLiteral("a"), QStringLiteral("-")), "2");
}

}  // namespace
}  // namespace ravelin
