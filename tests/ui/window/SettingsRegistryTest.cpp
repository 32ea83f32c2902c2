#include "support/qt/QtTestSupport.h"
#include "ui/SettingsStore.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <windows.h>

namespace ravelin {
namespace {

// A key of the test's own beside the program's, removed before and after.
const std::wstring kTestKey = L"Software\\Quillmere\\RavelinTest";

struct RegistryValue {
    DWORD type = REG_NONE;
    std::wstring data;
};

RegistryValue ReadValue(const std::wstring& name) {
    RegistryValue value;
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kTestKey.c_str(), name.c_str(), RRF_RT_ANY, &value.type,
                     nullptr, &bytes) != ERROR_SUCCESS) {
        return {};
    }
    value.data.resize(bytes / sizeof(wchar_t));
    RegGetValueW(HKEY_CURRENT_USER, kTestKey.c_str(), name.c_str(), RRF_RT_ANY, &value.type,
                 value.data.data(), &bytes);
    value.data.resize(wcsnlen(value.data.c_str(), value.data.size()));
    return value;
}

class SettingsRegistry : public ::testing::Test {
  protected:
    SettingsRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }
    ~SettingsRegistry() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str()); }
};

// The user's store is the registry key itself, each value a string; an empty one is one blank.
TEST_F(SettingsRegistry, SavesEveryValueAsAStringOfTheKeyAndRestoresIt) {
    const SettingsStore store;
    const std::tuple<QString, QString, std::wstring> rows[] = {
        {"1st folder", "C:\\Texte\\B\u00fccher", L"C:\\Texte\\B\u00fccher"},
        {"2nd folder", "", L" "},
        {"Display reduced text", " 1", L" 1"},
        {"optTxt", "True", L"True"},
    };
    for (const auto& [name, saved, stored] : rows) {
        ASSERT_TRUE(store.SaveSettingValue("\\RavelinTest", name, saved)) << name.toStdString();
        const RegistryValue value = ReadValue(name.toStdWString());
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << name.toStdString();
        EXPECT_EQ(value.data, stored) << name.toStdString();
        EXPECT_EQ(store.RestoreSettingValue("\\RavelinTest", name, "default"),
                  QString::fromStdWString(stored))
            << name.toStdString();
    }
    EXPECT_EQ(store.RestoreSettingValue("\\RavelinTest", "missing", "default"), "default");
    EXPECT_EQ(store.RestoreSettingValue("\\RavelinOther", "optTxt", "default"), "default");
}

}  // namespace
}  // namespace ravelin
