#include "ui/MainWindowControls.h"

#include "support/qt/QtChild.h"
#include "support/qt/Twips.h"

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>
#include <vector>

namespace ravelin {
namespace {

enum class Kind { Label, Button, TextBox, LockedTextBox, CheckBox, OptionButton, OutputBox };
enum class Font { Form, Tahoma, TahomaUnderlined, FormBold, CourierNew };

struct Design {
    const char* name;
    Kind kind;
    const char* caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    Font font = Font::Form;
    Qt::Alignment align = Qt::AlignLeft;
    int maxLength = 0;
    bool progressColor = false;
};

constexpr const char* kSkipCaption = "Number of words to skip at the start of each file:";

// Positions and sizes in twips. The texts "999", "9999", "50" and "99999 txt files" are
// placeholders that start-up replaces.
const Design kDesign[] = {
    {"lblIntro", Kind::Label, "", 120, 120, 9975, 855, 4},
    {"cmdFolder0", Kind::Button, "1st folder", 120, 1080, 1215, 375, 0, Font::Tahoma},
    {"txbFolder0", Kind::LockedTextBox, "", 1440, 1080, 8565, 360, 1, Font::Tahoma},
    {"lblNumWordsToSkip0", Kind::Label, kSkipCaption, 120, 1590, 4455, 360, 8},
    {"txbNumWordsToSkip0", Kind::TextBox, "999", 4440, 1560, 615, 360, 9},
    {"optTxt", Kind::OptionButton, "txt", 6360, 1560, 735, 375, 34},
    {"lblNumFiles0", Kind::Label, "99999 txt files", 8500, 1620, 1485, 360, 30, Font::Form,
     Qt::AlignRight},
    {"cmdFolder1", Kind::Button, "2nd folder", 120, 2040, 1215, 375, 2, Font::Tahoma},
    {"txbFolder1", Kind::LockedTextBox, "", 1440, 2040, 8565, 360, 3, Font::Tahoma},
    {"lblNumWordsToSkip1", Kind::Label, kSkipCaption, 120, 2560, 4455, 360, 10},
    {"txbNumWordsToSkip1", Kind::TextBox, "999", 4320, 2520, 615, 360, 11},
    {"cmdExchangeFolders", Kind::Button, "Swap folders", 6480, 2520, 1750, 375, 32},
    {"lblNumFiles1", Kind::Label, "99999 txt files", 8500, 2520, 1485, 360, 31, Font::Form,
     Qt::AlignRight},
    {"lblNumWordsToCompare", Kind::Label, "Number of words in test segment:", 1320, 3030, 3045, 360,
     12},
    {"txbNumWordsToCompare", Kind::TextBox, "9999", 4320, 3000, 615, 360, 13, Font::Form,
     Qt::AlignLeft, 4},
    {"cmdUserManual", Kind::Button, "Online user manual", 6480, 3000, 3495, 375, 23},
    {"lblMatchThreshold", Kind::Label, "Threshold for similarity (50-99):", 1590, 3500, 2775, 360,
     14},
    {"txbMatchThreshold", Kind::TextBox, "90", 4320, 3480, 615, 360, 15, Font::Form, Qt::AlignLeft,
     2},
    {"lblSettings", Kind::Label, "Settings:", 5520, 3520, 1005, 360, 28},
    {"cmdSaveSettings", Kind::Button, "Save", 6480, 3480, 975, 375, 16},
    {"cmdRestoreSettings", Kind::Button, "Restore", 7680, 3480, 1125, 375, 21},
    {"cmdClearSettings", Kind::Button, "Clear", 9000, 3480, 975, 375, 27},
    {"chkDisplayReducedText", Kind::CheckBox, "Display first", 1280, 3950, 1455, 360, 17},
    {"txbNumWordsOfReducedTextToDisplay", Kind::TextBox, "50", 2640, 3960, 615, 360, 18, Font::Form,
     Qt::AlignLeft, 4},
    {"lblNumWordsToDisplay", Kind::Label, "words of similar (or exact) text", 3340, 3980, 2685, 360,
     19},
    {"cmdStart", Kind::Button, "Start", 6480, 3960, 1575, 375, 5},
    {"cmdQuit", Kind::Button, "Quit", 8400, 3960, 1575, 375, 6},
    {"lblProcessingFile", Kind::Label, "Processing file #333 in the 2nd folder ...", 2600, 4455,
     4605, 360, 20, Font::FormBold, Qt::AlignHCenter, 0, true},
    {"lblNoDuplicatesFound", Kind::Label, "No duplicates found so far", 2600, 4965, 4605, 360, 33,
     Font::FormBold, Qt::AlignHCenter, 0, true},
    {"cmdCopyToClipboard", Kind::Button, "Copy to clipboard", 120, 4620, 2200, 375, 22},
    // Tahoma is drawn in DejaVu Sans, which is wider: the maker labels get more of the footer
    // and the catalog button, whose caption is far shorter than the button, less.
    {"lblCopyright", Kind::Label, "\u00a9 2026 Quillmere", 2400, 4680, 1800, 360, 25, Font::Tahoma,
     Qt::AlignRight},
    {"lblQuillmere", Kind::Label, "Quillmere", 4265, 4680, 1000, 360, 24, Font::TahomaUnderlined},
    {"lblQMurl", Kind::Label, "www.quillmere.example", 5300, 4680, 2520, 360, 26, Font::Tahoma,
     Qt::AlignHCenter},
    {"cmdQMsoftware", Kind::Button, "Quillmere Software", 7900, 4620, 2100, 375, 29},
    {"txbOutput", Kind::OutputBox, "", 120, 5280, 9930, 2055, 7, Font::CourierNew},
};

QFont DesignFont(Font font) {
    switch (font) {
        case Font::Form:
            break;
        case Font::Tahoma:
        case Font::TahomaUnderlined: {
            QFont tahoma(QStringLiteral("Tahoma"));
            tahoma.setPointSizeF(9.75);
            tahoma.setUnderline(font == Font::TahomaUnderlined);
            return tahoma;
        }
        case Font::FormBold: {
            QFont bold(QStringLiteral("Arial"));
            bold.setPointSizeF(9.75);
            bold.setBold(true);
            return bold;
        }
        case Font::CourierNew: {
            QFont courier(QStringLiteral("Courier New"));
            courier.setPointSizeF(8.25);
            return courier;
        }
    }
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(9.75);
    return arial;
}

QWidget* CreateControl(QWidget& form, const Design& design) {
    QWidget* control = nullptr;
    const QString caption = QString::fromUtf8(design.caption);
    switch (design.kind) {
        case Kind::Label: {
            auto* label = NewChild<QLabel>(caption, &form);
            label->setTextFormat(Qt::PlainText);
            // Label captions start at the top, so that labels sharing a strip do not collide.
            label->setAlignment(design.align | Qt::AlignTop);
            control = label;
            break;
        }
        case Kind::Button:
            control = NewChild<QPushButton>(caption, &form);
            break;
        case Kind::TextBox:
        case Kind::LockedTextBox: {
            auto* box = NewChild<QLineEdit>(caption, &form);
            box->setReadOnly(design.kind == Kind::LockedTextBox);
            if (design.maxLength > 0) {
                box->setMaxLength(design.maxLength);
            }
            control = box;
            break;
        }
        case Kind::CheckBox: {
            auto* check = NewChild<QCheckBox>(caption, &form);
            check->setChecked(true);
            control = check;
            break;
        }
        case Kind::OptionButton: {
            auto* option = NewChild<QRadioButton>(caption, &form);
            option->setChecked(true);
            control = option;
            break;
        }
        case Kind::OutputBox: {
            auto* output = NewChild<QPlainTextEdit>(&form);
            output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            output->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            // A multi-line box of the desktop this was designed for moves the focus on Tab
            // rather than typing a tab into the report, so a keyboard user can leave it.
            output->setTabChangesFocus(true);
            control = output;
            break;
        }
    }
    control->setObjectName(QString::fromUtf8(design.name));
    if (design.font != Font::Form) {
        control->setFont(DesignFont(design.font));
    }
    if (design.progressColor) {
        QPalette palette = control->palette();
        palette.setColor(QPalette::WindowText, kProgressForeColor);
        control->setPalette(palette);
    }
    return control;
}

template <typename Control>
Control* Find(QWidget& form, const QString& name) {
    return form.findChild<Control*>(name, Qt::FindDirectChildrenOnly);
}

template <typename Control>
std::array<Control*, 2> FindPair(QWidget& form, const QString& name) {
    return {Find<Control>(form, name + QLatin1Char('0')),
            Find<Control>(form, name + QLatin1Char('1'))};
}

MainWindowControls Collect(QWidget& form) {
    MainWindowControls c;
    c.lblIntro = Find<QLabel>(form, QStringLiteral("lblIntro"));
    c.cmdFolder = FindPair<QPushButton>(form, QStringLiteral("cmdFolder"));
    c.txbFolder = FindPair<QLineEdit>(form, QStringLiteral("txbFolder"));
    c.lblNumWordsToSkip = FindPair<QLabel>(form, QStringLiteral("lblNumWordsToSkip"));
    c.txbNumWordsToSkip = FindPair<QLineEdit>(form, QStringLiteral("txbNumWordsToSkip"));
    c.optTxt = Find<QRadioButton>(form, QStringLiteral("optTxt"));
    c.lblNumFiles = FindPair<QLabel>(form, QStringLiteral("lblNumFiles"));
    c.cmdExchangeFolders = Find<QPushButton>(form, QStringLiteral("cmdExchangeFolders"));
    c.lblNumWordsToCompare = Find<QLabel>(form, QStringLiteral("lblNumWordsToCompare"));
    c.txbNumWordsToCompare = Find<QLineEdit>(form, QStringLiteral("txbNumWordsToCompare"));
    c.cmdUserManual = Find<QPushButton>(form, QStringLiteral("cmdUserManual"));
    c.lblMatchThreshold = Find<QLabel>(form, QStringLiteral("lblMatchThreshold"));
    c.txbMatchThreshold = Find<QLineEdit>(form, QStringLiteral("txbMatchThreshold"));
    c.lblSettings = Find<QLabel>(form, QStringLiteral("lblSettings"));
    c.cmdSaveSettings = Find<QPushButton>(form, QStringLiteral("cmdSaveSettings"));
    c.cmdRestoreSettings = Find<QPushButton>(form, QStringLiteral("cmdRestoreSettings"));
    c.cmdClearSettings = Find<QPushButton>(form, QStringLiteral("cmdClearSettings"));
    c.chkDisplayReducedText = Find<QCheckBox>(form, QStringLiteral("chkDisplayReducedText"));
    c.txbNumWordsOfReducedTextToDisplay =
        Find<QLineEdit>(form, QStringLiteral("txbNumWordsOfReducedTextToDisplay"));
    c.lblNumWordsToDisplay = Find<QLabel>(form, QStringLiteral("lblNumWordsToDisplay"));
    c.cmdStart = Find<QPushButton>(form, QStringLiteral("cmdStart"));
    c.cmdQuit = Find<QPushButton>(form, QStringLiteral("cmdQuit"));
    c.lblProcessingFile = Find<QLabel>(form, QStringLiteral("lblProcessingFile"));
    c.lblNoDuplicatesFound = Find<QLabel>(form, QStringLiteral("lblNoDuplicatesFound"));
    c.cmdCopyToClipboard = Find<QPushButton>(form, QStringLiteral("cmdCopyToClipboard"));
    c.lblCopyright = Find<QLabel>(form, QStringLiteral("lblCopyright"));
    c.lblQuillmere = Find<QLabel>(form, QStringLiteral("lblQuillmere"));
    c.lblQMurl = Find<QLabel>(form, QStringLiteral("lblQMurl"));
    c.cmdQMsoftware = Find<QPushButton>(form, QStringLiteral("cmdQMsoftware"));
    c.txbOutput = Find<QPlainTextEdit>(form, QStringLiteral("txbOutput"));
    return c;
}

void SetTabOrder(QWidget& form) {
    std::vector<const Design*> order;
    for (const Design& design : kDesign) {
        order.push_back(&design);
    }
    std::sort(order.begin(), order.end(),
              [](const Design* a, const Design* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const Design* design : order) {
        auto* control = Find<QWidget>(form, QString::fromUtf8(design->name));
        if (control->focusPolicy() == Qt::NoFocus) {
            continue;  // labels take no focus; their tab index only keeps the design's numbering
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
}

}  // namespace

MainWindowControls CreateControls(QWidget& form, double logicalDpi) {
    form.setFont(DesignFont(Font::Form));
    const auto px = [logicalDpi](int twips) { return TwipsToPixels(twips, logicalDpi); };
    for (const Design& design : kDesign) {
        QWidget* control = CreateControl(form, design);
        control->setGeometry(px(design.left), px(design.top), px(design.width), px(design.height));
    }
    // Where a label and an input overlap in the design, the input lies on top.
    for (const Design& design : kDesign) {
        if (design.kind != Kind::Label) {
            Find<QWidget>(form, QString::fromUtf8(design.name))->raise();
        }
    }
    SetTabOrder(form);
    MainWindowControls controls = Collect(form);
    controls.lblQuillmere->setToolTip(
        QStringLiteral("Click here for the Quillmere website at https://www.quillmere.example/."));
    return controls;
}

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
}

void SetFormBackColor(QWidget& form, const QColor& color) {
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, color);
    form.setPalette(palette);
    form.setAutoFillBackground(true);
    for (QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QLabel*>(control) != nullptr ||
            qobject_cast<QCheckBox*>(control) != nullptr ||
            qobject_cast<QRadioButton*>(control) != nullptr) {
            QPalette own = control->palette();
            own.setColor(QPalette::Window, color);
            control->setPalette(own);
            // Buttons of every kind fill with the button colour unless told otherwise.
            control->setBackgroundRole(QPalette::Window);
            control->setAutoFillBackground(true);
        }
    }
}

}  // namespace ravelin
