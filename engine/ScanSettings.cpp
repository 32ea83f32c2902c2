#include "engine/ScanSettings.h"

#include "files/StringRoutines.h"

namespace ravelin {

std::string FieldName(SettingId id, const TextCatalog& texts) {
    const SettingSpec& spec = Setting(id);
    if (spec.fieldNameText == 0) {
        return std::string(spec.storedName);
    }
    std::string name = texts.Text(spec.fieldNameText);
    if (id == SettingId::NumWordsToSkip1 || id == SettingId::NumWordsToSkip2) {
        name += " " + Ordinal(id == SettingId::NumWordsToSkip1 ? 1 : 2) + " folder";
    }
    return name;
}

SettingTexts RestoreDefaults() {
    SettingTexts texts;
    for (const SettingSpec& spec : kSettings) {
        texts[static_cast<size_t>(spec.id)] = std::string(spec.restoreValue);
    }
    return texts;
}

}  // namespace ravelin
