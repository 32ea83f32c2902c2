// Saving the folders and settings to the per-user store, restoring them, and returning the window
// to its defaults.

#include "files/StringRoutines.h"
#include "ui/MainWindow.h"
#include "ui/SettingsStore.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace ravelin {
namespace {

constexpr QLatin1String kKey("\\RVN");

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString TrimBlanks(const QString& text) {
    return QString::fromStdString(std::string(TrimSpaces(text.toStdString())));
}

// The leading number of a text as Basic's Val reads it: blanks, tabs and line feeds are skipped
// anywhere, and reading stops where the characters no longer continue a number; 0 when there is
// none.
double LeadingNumber(const QString& text) {
    std::string number;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            continue;
        }
        const char ch = c.toLatin1();
        if (std::string_view("0123456789+-.eE").find(ch) == std::string_view::npos || ch == 0) {
            break;
        }
        number.push_back(ch);
    }
    const size_t from = number.starts_with('+') ? 1 : 0;
    double value = 0;
    std::from_chars(number.data() + from, number.data() + number.size(), value);
    return value;
}

// A whole number as Basic converts it, halves to the even neighbour (the default rounding mode).
std::optional<Qt::CheckState> CheckStateFromText(const QString& text) {
    const double state = std::nearbyint(LeadingNumber(text));
    if (state == 0) {
        return Qt::Unchecked;
    }
    if (state == 1) {
        return Qt::Checked;
    }
    if (state == 2) {
        return Qt::PartiallyChecked;
    }
    return std::nullopt;
}

// "True" and "False" in any case, or a number that is true when it is not zero.
std::optional<bool> BooleanFromText(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (trimmed.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    bool isNumber = false;
    const double value = trimmed.toDouble(&isNumber);
    return isNumber ? std::optional<bool>(value != 0) : std::nullopt;
}

// A lone option button cannot be cleared while it is exclusive.
void SetOptionSelected(QRadioButton& option, bool selected) {
    option.setAutoExclusive(false);
    option.setChecked(selected);
    option.setAutoExclusive(true);
}

}  // namespace

QLineEdit* frmMain::SettingBox(SettingId id) const {
    switch (id) {
        case SettingId::Folder1:
            return ui_.txbFolder[0];
        case SettingId::Folder2:
            return ui_.txbFolder[1];
        case SettingId::NumWordsToSkip1:
            return ui_.txbNumWordsToSkip[0];
        case SettingId::NumWordsToSkip2:
            return ui_.txbNumWordsToSkip[1];
        case SettingId::NumWordsToCompare:
            return ui_.txbNumWordsToCompare;
        case SettingId::MatchThreshold:
            return ui_.txbMatchThreshold;
        case SettingId::NumWordsToDisplay:
            return ui_.txbNumWordsOfReducedTextToDisplay;
        case SettingId::DisplayReducedText:
        case SettingId::OptTxt:
            break;
    }
    return nullptr;
}

// The five numbers as Clear and a fresh window show them.
void frmMain::ShowClearedNumbers() {
    for (const SettingRow& row : kSettings) {
        if (QLineEdit* box = SettingBox(row.id); box != nullptr && row.max > 0) {
            box->setText(QString::fromUtf8(row.clearValue.data(),
                                           static_cast<qsizetype>(row.clearValue.size())));
        }
    }
}

void frmMain::cmdSaveSettings_Click() {
    const SettingsStore& store = services_.settings;
    for (const SettingRow& row : kSettings) {
        QString value;
        if (const QLineEdit* box = SettingBox(row.id)) {
            value = box->text();
        } else if (row.id == SettingId::DisplayReducedText) {
            value = QLatin1Char(' ') + QString::number(DisplayReducedTextState());
        } else {
            value = ui_.optTxt->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
        }
        store.SaveSettingValue(kKey, Latin1(row.storedName), value);
    }
}

void frmMain::cmdRestoreSettings_Click() {
    const SettingsStore& store = services_.settings;
    const auto restore = [&store](SettingId id) {
        const SettingRow& row = Setting(id);
        return store.RestoreSettingValue(kKey, Latin1(row.storedName), Latin1(row.restoreValue));
    };
    for (const SettingRow& row : kSettings) {
        if (QLineEdit* box = SettingBox(row.id)) {
            const bool folder = row.id == SettingId::Folder1 || row.id == SettingId::Folder2;
            box->setText(folder ? TrimBlanks(restore(row.id)) : restore(row.id));
        }
    }
    // A state the check box cannot take, or an option that is no Boolean, takes the default.
    ui_.chkDisplayReducedText->setCheckState(
        CheckStateFromText(restore(SettingId::DisplayReducedText)).value_or(Qt::Checked));
    SetOptionSelected(*ui_.optTxt, BooleanFromText(restore(SettingId::OptTxt)).value_or(true));
    if (!ui_.txbFolder[0]->text().isEmpty() && !ui_.txbFolder[1]->text().isEmpty()) {
        ui_.cmdExchangeFolders->setEnabled(true);
    }
    for (QLabel* label : ui_.lblNumFiles) {
        label->clear();
    }
}

// The saved values stay in the store and come back with the next restore.
void frmMain::cmdClearSettings_Click() {
    for (int slot = 0; slot < 2; ++slot) {
        ui_.txbFolder[slot]->clear();
        ui_.lblNumFiles[slot]->clear();
    }
    strFileExt = QStringLiteral("txt");
    ShowClearedNumbers();
    ui_.chkDisplayReducedText->setCheckState(Qt::Checked);
    ui_.cmdExchangeFolders->setEnabled(false);
    report_.Log().SetText("");
    SetWindowHeights(intSmallFormHeight, intSmallOutputHeight);
    ui_.cmdCopyToClipboard->setEnabled(false);
}

}  // namespace ravelin
