#include "ui/SettingControl.h"

#include "files/StringRoutines.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace ravelin {
namespace {

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

// The check box's states as the settings store them: 0 clear, 1 ticked, 2 greyed.
int CheckStateNumber(const QCheckBox& box) {
    switch (box.checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        case Qt::Unchecked:
            break;
    }
    return 0;
}

// A lone option button cannot be cleared while it is exclusive.
void SetOptionSelected(QRadioButton& option, bool selected) {
    option.setAutoExclusive(false);
    option.setChecked(selected);
    option.setAutoExclusive(true);
}

}  // namespace

QString StoredText(const SettingRow& row, const QWidget& control) {
    switch (row.kind) {
        case SettingKind::Folder:
        case SettingKind::Number:
            return static_cast<const QLineEdit&>(control).text();
        case SettingKind::CheckState:
            // As Basic's Str$ writes a number: a blank before the digit.
            return QLatin1Char(' ') +
                   QString::number(CheckStateNumber(static_cast<const QCheckBox&>(control)));
        case SettingKind::Boolean:
            break;
    }
    return static_cast<const QRadioButton&>(control).isChecked() ? QStringLiteral("True")
                                                                 : QStringLiteral("False");
}

std::string ScanText(const SettingRow& row, const QWidget& control) {
    switch (row.kind) {
        case SettingKind::Folder:
            return static_cast<const QLineEdit&>(control).text().toStdString();
        case SettingKind::CheckState:
            return std::to_string(CheckStateNumber(static_cast<const QCheckBox&>(control)));
        case SettingKind::Number:
        case SettingKind::Boolean:
            break;
    }
    return StoredText(row, control).toStdString();
}

void ShowStoredText(const SettingRow& row, QWidget& control, const QString& text) {
    switch (row.kind) {
        case SettingKind::Folder:
            static_cast<QLineEdit&>(control).setText(TrimBlanks(text));
            return;
        case SettingKind::Number:
            static_cast<QLineEdit&>(control).setText(text);
            return;
        case SettingKind::CheckState:
            static_cast<QCheckBox&>(control).setCheckState(
                CheckStateFromText(text).value_or(Qt::Checked));
            return;
        case SettingKind::Boolean:
            SetOptionSelected(static_cast<QRadioButton&>(control),
                              BooleanFromText(text).value_or(true));
            return;
    }
}

}  // namespace ravelin
