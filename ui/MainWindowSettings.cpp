// Saving the folders and settings to the per-user store, restoring them, and returning the window
// to its defaults.

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

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' ')) {
        ++first;
    }
    while (last > first && text[last - 1] == QLatin1Char(' ')) {
        --last;
    }
    return text.mid(first, last - first);
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

void frmMain::cmdSaveSettings_Click() {
    const SettingsStore& store = services_.settings;
    store.SaveSettingValue(kKey, QStringLiteral("1st folder"), ui_.txbFolder[0]->text());
    store.SaveSettingValue(kKey, QStringLiteral("2nd folder"), ui_.txbFolder[1]->text());
    store.SaveSettingValue(kKey, QStringLiteral("1st num words to skip"),
                           ui_.txbNumWordsToSkip[0]->text());
    store.SaveSettingValue(kKey, QStringLiteral("2nd num words to skip"),
                           ui_.txbNumWordsToSkip[1]->text());
    store.SaveSettingValue(kKey, QStringLiteral("Num words to compare"),
                           ui_.txbNumWordsToCompare->text());
    store.SaveSettingValue(kKey, QStringLiteral("Match threshold"), ui_.txbMatchThreshold->text());
    store.SaveSettingValue(kKey, QStringLiteral("Num words to display"),
                           ui_.txbNumWordsOfReducedTextToDisplay->text());
    store.SaveSettingValue(kKey, QStringLiteral("Display reduced text"),
                           QLatin1Char(' ') + QString::number(DisplayReducedTextState()));
    store.SaveSettingValue(
        kKey, QStringLiteral("optTxt"),
        ui_.optTxt->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
}

void frmMain::cmdRestoreSettings_Click() {
    const SettingsStore& store = services_.settings;
    const auto restore = [&store](const char* name, const char* fallback) {
        return store.RestoreSettingValue(kKey, QString::fromUtf8(name),
                                         QString::fromUtf8(fallback));
    };
    ui_.txbFolder[0]->setText(restore("1st folder", ""));
    ui_.txbFolder[1]->setText(restore("2nd folder", ""));
    for (QLineEdit* folder : ui_.txbFolder) {
        folder->setText(TrimBlanks(folder->text()));
    }
    ui_.txbNumWordsToSkip[0]->setText(restore("1st num words to skip", "0"));
    ui_.txbNumWordsToSkip[1]->setText(restore("2nd num words to skip", "0"));
    ui_.txbNumWordsToCompare->setText(restore("Num words to compare", "20"));
    ui_.txbMatchThreshold->setText(restore("Match threshold", "90"));
    ui_.txbNumWordsOfReducedTextToDisplay->setText(restore("Num words to display", "12"));
    // A state the check box cannot take, or an option that is no Boolean, takes the default.
    ui_.chkDisplayReducedText->setCheckState(
        CheckStateFromText(restore("Display reduced text", "1")).value_or(Qt::Checked));
    SetOptionSelected(*ui_.optTxt, BooleanFromText(restore("optTxt", "True")).value_or(true));
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
    for (QLineEdit* box : ui_.txbNumWordsToSkip) {
        box->setText(QStringLiteral("0"));
    }
    ui_.txbNumWordsToCompare->setText(QStringLiteral("50"));
    ui_.txbMatchThreshold->setText(QStringLiteral("90"));
    ui_.txbNumWordsOfReducedTextToDisplay->setText(QStringLiteral("12"));
    ui_.chkDisplayReducedText->setCheckState(Qt::Checked);
    ui_.cmdExchangeFolders->setEnabled(false);
    driver_.Log().SetText("");
    SetWindowHeights(intSmallFormHeight, intSmallOutputHeight);
    ui_.cmdCopyToClipboard->setEnabled(false);
}

}  // namespace ravelin
