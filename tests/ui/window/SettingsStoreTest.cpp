#include "TempFolder.h"
#include "support/qt/QtTestSupport.h"
#include "ui/SettingsStore.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <tuple>

namespace ravelin {
namespace {

const QString kKeyPath = QStringLiteral("Software\\Quillmere\\RVN");

TEST(SettingsStore, WritesReportTheKeyStepAndReadsTheirVerdictWithEmptyValuesKeptAsOneBlank) {
    const testing::TempFolder root;
    root.Write("plain", "a file where a folder should be");
    const QString file = QString::fromStdString(root / "settings.ini");
    const SettingsStore store(file);
    const SettingsStore unwritable(QString::fromStdString(root / "plain/settings.ini"));
    EXPECT_EQ(store.RegWriteString(kKeyPath, "present", "x"),
              "0 New key created.  The operation completed successfully.\r\n");
    EXPECT_EQ(store.RegWriteString(kKeyPath, "b", "x"),
              "0 Key already exists.  The operation completed successfully.\r\n");
    EXPECT_EQ(unwritable.RegWriteString(kKeyPath, "a", "x"),
              "5 Unable to create (or find) key.  Access is denied.\r\n");
    // An empty value is kept as one blank, so that reading it back tells it from a missing one.
    EXPECT_TRUE(store.SaveSettingValue("\\RVN", "blank", ""));
    // Written past the store, as a hand-editing user or another program would.
    QSettings(file, QSettings::IniFormat).setValue("Software/Quillmere/RVN/empty", "");
    QSettings(file, QSettings::IniFormat).setValue("Software/Quillmere/RVN/tab", "folder\t\r");
    const std::tuple<QString, QString, QString, QString> reads[] = {
        {kKeyPath, "present", "0 OK", "x"},
        {kKeyPath, "tab", "0 OK", "folder"},
        {kKeyPath, "blank", "0 OK", " "},
        {"", "present", "1 Key not found or is empty.", "untouched"},
        {"Software\\Quillmere\\Other", "present", "1 Key not found or is empty.", "untouched"},
        {kKeyPath, "", "2 Name not specified.", "untouched"},
        {kKeyPath, "missing", "3 Name not found.", "untouched"},
        {kKeyPath, "empty", "3 Name not found.", "untouched"},
    };
    for (const auto& [keyPath, name, status, expected] : reads) {
        QString value = "untouched";
        EXPECT_EQ(store.RegReadString(keyPath, name, value), status) << name.toStdString();
        EXPECT_EQ(value, expected) << name.toStdString();
    }
}

}  // namespace
}  // namespace ravelin
