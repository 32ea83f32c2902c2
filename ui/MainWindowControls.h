#pragma once

// The main window's controls in their design-time state: each at its design place in twips, with
// its caption, font and tab order. Paired controls of the two folders are arrays indexed by slot.

#include <QColor>

#include <array>
#include <string_view>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ravelin {

inline constexpr int kDesignClientWidth = 10155;
// The window's outer height exceeds its client area by the title bar and the borders.
inline constexpr int kNonClientHeight = 420;

inline const QColor kFormBackColor{208, 200, 248};
inline const QColor kProgressForeColor{0, 0, 192};

struct MainWindowControls {
    QLabel* lblIntro = nullptr;
    std::array<QPushButton*, 2> cmdFolder{};
    std::array<QLineEdit*, 2> txbFolder{};
    std::array<QLabel*, 2> lblNumWordsToSkip{};
    std::array<QLineEdit*, 2> txbNumWordsToSkip{};
    QRadioButton* optTxt = nullptr;
    std::array<QLabel*, 2> lblNumFiles{};
    QPushButton* cmdExchangeFolders = nullptr;
    QLabel* lblNumWordsToCompare = nullptr;
    QLineEdit* txbNumWordsToCompare = nullptr;
    QPushButton* cmdUserManual = nullptr;
    QLabel* lblMatchThreshold = nullptr;
    QLineEdit* txbMatchThreshold = nullptr;
    QLabel* lblSettings = nullptr;
    QPushButton* cmdSaveSettings = nullptr;
    QPushButton* cmdRestoreSettings = nullptr;
    QPushButton* cmdClearSettings = nullptr;
    QCheckBox* chkDisplayReducedText = nullptr;
    QLineEdit* txbNumWordsOfReducedTextToDisplay = nullptr;
    QLabel* lblNumWordsToDisplay = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdQuit = nullptr;
    QLabel* lblProcessingFile = nullptr;
    QLabel* lblNoDuplicatesFound = nullptr;
    QPushButton* cmdCopyToClipboard = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblQuillmere = nullptr;
    QLabel* lblQMurl = nullptr;
    QPushButton* cmdQMsoftware = nullptr;
    QPlainTextEdit* txbOutput = nullptr;
};

// Creates every control on the form at its design place for the given logical dpi, named as in
// the design (the objectName of an array element carries its index: "txbFolder0"), and gives the
// form its font, Arial 9.75.
MainWindowControls CreateControls(QWidget& form, double logicalDpi);

// Arial, Courier New and Tahoma are drawn with metric-compatible fonts that Debian ships.
void InstallFontSubstitutions();

// The form's back colour, also behind every label, check box and option button; buttons and text
// boxes keep their own.
void SetFormBackColor(QWidget& form, const QColor& color);

}  // namespace ravelin
