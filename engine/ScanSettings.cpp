#include "engine/ScanSettings.h"

#include "files/StringRoutines.h"

namespace ravelin {

std::string FieldName(SettingId id, const TextCatalog& texts) {
    const SettingRow& row = Setting(id);
    if (row.fieldNameText == 0) {
        return std::string(row.storedName);
    }
    std::string name = texts.Text(row.fieldNameText);
    if (id == SettingId::NumWordsToSkip1 || id == SettingId::NumWordsToSkip2) {
        name += " " + Ordinal(id == SettingId::NumWordsToSkip1 ? 1 : 2) + " folder";
    }
    return name;
}

SettingTexts RestoreDefaults() {
    SettingTexts texts;
    for (const SettingRow& row : kSettings) {
        texts[static_cast<size_t>(row.id)] = std::string(row.restoreValue);
    }
    return texts;
}

}  // namespace ravelin
