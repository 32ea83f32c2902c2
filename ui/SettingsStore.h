#pragma once

// The per-user store of the window's settings: string values under a key path, read and written
// through two layers. The lower one answers with a status text whose first character is the
// verdict ("0" for success) followed by the platform's message; the upper one turns that into a
// Boolean or a default.
//
// On Windows the store is the registry: the key path Software\Quillmere\RVN is the key of that
// name under HKEY_CURRENT_USER. Elsewhere it is the INI file that QSettings keeps for the user
// (Quillmere/RVN.conf in the user's configuration folder). A key path such as
// Software\Quillmere\RVN becomes the group Software/Quillmere/RVN of that file, so that distinct
// key paths never share values. A file that cannot be read holds no values; a damaged one holds
// those that can still be made out.

#include <QString>

#include <memory>

class QSettings;

namespace ravelin {

class SettingsStore {
  public:
    // The user's own store, without falling back to system-wide values.
    SettingsStore() = default;
    // A store kept in the given INI file instead, so that tests and tools never touch the user's.
    explicit SettingsStore(QString iniFile) : iniFile_(std::move(iniFile)) {}

    // Creates the key when it is missing and sets one string value. The status reports the key
    // step ("0 New key created.", "0 Key already exists." or the code of the failure) followed by
    // two blanks and the message for the result of the whole write.
    QString RegWriteString(const QString& keyPath, const QString& strName,
                           const QString& strValue) const;
    // Reads one string value into strValue (left alone when nothing is read), without the control
    // characters at its end; the status is one of the read texts ("0 OK", "3 Name not found." ...).
    QString RegReadString(const QString& keyPath, const QString& strName, QString& strValue) const;

    // strKey is the subkey appended to Software\Quillmere. An empty value is stored as " ", so
    // that no stored value is ever empty. True when the write succeeded.
    bool SaveSettingValue(const QString& strKey, const QString& strName,
                          const QString& strValue) const;
    // The stored text, or strDefaultValueOnError when it cannot be read.
    QString RestoreSettingValue(const QString& strKey, const QString& strName,
                                const QString& strDefaultValueOnError) const;

  private:
    std::unique_ptr<QSettings> Open() const;

    QString iniFile_;
};

}  // namespace ravelin
