#pragma once

// A setting's control read and written as the settings table says: the text Save stores, the
// text a scan checks, and a stored text shown in the control as Restore and Clear show it.

#include "engine/ScanSettings.h"

#include <QString>

#include <string>

class QWidget;

namespace ravelin {

QString StoredText(const SettingRow& row, const QWidget& control);

// Folder paths as UTF-8, as names are inside the program on every platform.
std::string ScanText(const SettingRow& row, const QWidget& control);

// A state the check box cannot take, or an option that is no Boolean, takes the default; folders
// lose their surrounding blanks.
void ShowStoredText(const SettingRow& row, QWidget& control, const QString& text);

}  // namespace ravelin
