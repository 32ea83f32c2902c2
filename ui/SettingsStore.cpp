#include "ui/SettingsStore.h"

#include "files/StringRoutines.h"

#include <QSettings>
#include <QStringList>

namespace ravelin {
namespace {

constexpr QLatin1String kRootPath("Software\\Quillmere");

// Result codes as the registry gives them, so that the verdicts keep their meaning.
constexpr int kSuccess = 0;
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kInvalidData = 13;
constexpr int kInvalidParameter = 87;

constexpr QLatin1String kCompleted("The operation completed successfully.\r\n");
constexpr QLatin1String kNotFound("The system cannot find the file specified.\r\n");

constexpr QLatin1String kKeyNotFound("1 Key not found or is empty.");

QString SystemMessage(int code) {
    switch (code) {
        case kSuccess:
            return kCompleted;
        case kFileNotFound:
            return kNotFound;
        case kAccessDenied:
            return QStringLiteral("Access is denied.\r\n");
        case kInvalidData:
            return QStringLiteral("The data is invalid.\r\n");
        case kInvalidParameter:
            return QStringLiteral("The parameter is incorrect.\r\n");
        default:
            return QStringLiteral("Unknown error %1.\r\n").arg(code);
    }
}

QString GroupOf(const QString& keyPath) {
    QString group = keyPath;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return group;
}

bool KeyExists(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    const bool exists = !settings.allKeys().isEmpty();
    settings.endGroup();
    return exists;
}

// A hand-edited value with an unquoted comma comes back from the INI file as a list.
QString AsText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

QString WithoutTrailingControlChars(const QString& text) {
    std::string bytes = text.toStdString();
    TrimTrailingControlChars(bytes);
    return QString::fromStdString(bytes);
}

QString ReadVerdict(const QString& message, const QString& valueText) {
    if (message == kNotFound) {
        return QStringLiteral("3 Name not found.");
    }
    if (message == kCompleted) {
        return QStringLiteral("0 OK");
    }
    return valueText.isEmpty() ? QStringLiteral("4 ") + message : QStringLiteral("0 OK probably");
}

}  // namespace

// The user's own store. On Windows it is the registry from HKEY_CURRENT_USER down, so that the
// group Software/Quillmere/RVN is the key HKEY_CURRENT_USER\Software\Quillmere\RVN itself.
std::unique_ptr<QSettings> SettingsStore::Open() const {
    auto settings = iniFile_.isEmpty()
#ifdef _WIN32
                        ? std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER"),
                                                      QSettings::NativeFormat)
#else
                        ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                      QStringLiteral("Quillmere"),
                                                      QStringLiteral("RVN"))
#endif
                        : std::make_unique<QSettings>(iniFile_, QSettings::IniFormat);
    settings->setFallbacksEnabled(false);
    return settings;
}

QString SettingsStore::RegWriteString(const QString& keyPath, const QString& strName,
                                      const QString& strValue) const {
    const auto settings = Open();
    const QString group = GroupOf(keyPath);
    const bool existed = KeyExists(*settings, group);
    const QSettings::Status before = settings->status();
    int code = kSuccess;
    if (strName.isEmpty() || group.isEmpty()) {
        code = kInvalidParameter;  // an INI file has no unnamed values and no values without key
    } else {
        settings->beginGroup(group);
        settings->setValue(strName, strValue);
        settings->endGroup();
        settings->sync();
        if (settings->status() == QSettings::AccessError) {
            code = kAccessDenied;
        } else if (settings->status() == QSettings::FormatError &&
                   before != QSettings::FormatError) {
            code = kInvalidData;
        }
    }
    // A corrupt file that was read with a format error has just been written afresh.
    const QString status = code != kSuccess ? QString::number(code) +
                                                  QStringLiteral(" Unable to create (or find) key.")
                           : existed ? QStringLiteral("0 Key already exists.")
                                     : QStringLiteral("0 New key created.");
    return status + QStringLiteral("  ") + SystemMessage(code);
}

QString SettingsStore::RegReadString(const QString& keyPath, const QString& strName,
                                     QString& strValue) const {
    if (keyPath.isEmpty()) {
        return kKeyNotFound;
    }
    const auto settings = Open();
    // The file is read at the first question. An unreadable file is a key that cannot be opened;
    // of a damaged one, the values that the reader could still make out are used. (Qt reports a
    // damaged file only to the first reader of it, so its status cannot decide more.)
    const bool exists = KeyExists(*settings, GroupOf(keyPath));
    if (settings->status() == QSettings::AccessError || !exists) {
        return kKeyNotFound;
    }
    if (strName.isEmpty()) {
        return QStringLiteral("2 Name not specified.");
    }
    settings->beginGroup(GroupOf(keyPath));
    const QVariant stored = settings->value(strName);
    settings->endGroup();
    if (!stored.isValid()) {
        return ReadVerdict(SystemMessage(kFileNotFound), {});
    }
    if (AsText(stored).isEmpty()) {
        return QStringLiteral("3 Name not found.");
    }
    const QString text = WithoutTrailingControlChars(AsText(stored));
    strValue = text;
    return ReadVerdict(SystemMessage(kSuccess), text);
}

bool SettingsStore::SaveSettingValue(const QString& strKey, const QString& strName,
                                     const QString& strValue) const {
    const QString value = strValue.isEmpty() ? QStringLiteral(" ") : strValue;
    return RegWriteString(kRootPath + strKey, strName, value).startsWith(QLatin1Char('0'));
}

QString SettingsStore::RestoreSettingValue(const QString& strKey, const QString& strName,
                                           const QString& strDefaultValueOnError) const {
    QString value;
    const QString status = RegReadString(kRootPath + strKey, strName, value);
    return status.startsWith(QLatin1Char('0')) ? value : strDefaultValueOnError;
}

}  // namespace ravelin
