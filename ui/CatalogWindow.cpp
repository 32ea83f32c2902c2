#include "ui/CatalogWindow.h"

#include "support/ProgramText.h"
#include "support/qt/QtChild.h"
#include "support/qt/Twips.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ravelin {
namespace {

constexpr int kDesignWidth = 7200;
constexpr int kDesignHeight = 6600;
constexpr double kTitleScale = 1.2;

const char* const kCaption = "Quillmere software";
const char* const kIntroduction =
    "Thank you for using Ravelin. Quillmere makes a few other small programs for people who "
    "work with text files. Click on a title or a description to read more on the program's page "
    "in your web browser.";
const char* const kUnavailable = "The list of programs is not available.";

QColor FromWindowsColor(uint32_t value) {
    return {static_cast<int>(value & 0xFFU), static_cast<int>((value >> 8) & 0xFFU),
            static_cast<int>((value >> 16) & 0xFFU)};
}

QLabel* TextLabel(const QString& text, const char* name, QWidget& parent) {
    auto* label = NewChild<QLabel>(text, &parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

// The lines of a description make one paragraph, which the label wraps to the window's width.
QString Paragraph(const std::vector<std::string>& lines) {
    QStringList words;
    for (const std::string& line : lines) {
        words.append(QString::fromStdString(line));
    }
    return words.join(QLatin1Char(' '));
}

}  // namespace

frmCatalog::frmCatalog(const std::vector<CatalogItem>& items, WebPageOpener& opener,
                       MessagePresenter& messages, QWidget* parent)
    : QDialog(parent), opener_(opener), messages_(messages) {
    setModal(true);
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* layout = NewChild<QVBoxLayout>(this);
    layout->addWidget(TextLabel(QString::fromLatin1(kIntroduction), "lblIntroduction", *this));

    auto* scroller = NewChild<QScrollArea>(this);
    scroller->setWidgetResizable(true);
    scroller->setWidget(ItemList(items));
    layout->addWidget(scroller, 1);

    auto* cmdClose = NewChild<QPushButton>(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    auto* buttons = NewChild<QHBoxLayout>();
    layout->addLayout(buttons);
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    const double dpi = LogicalDpi(this);
    resize(TwipsToPixels(kDesignWidth, dpi), TwipsToPixels(kDesignHeight, dpi));
}

QWidget* frmCatalog::ItemList(const std::vector<CatalogItem>& items) {
    auto* list = NewChild<QWidget>(this);
    auto* layout = NewChild<QVBoxLayout>(list);
    for (const CatalogItem& item : items) {
        AddItem(*list, *layout, item);
    }
    if (items.empty()) {
        layout->addWidget(TextLabel(QString::fromLatin1(kUnavailable), "lblUnavailable", *list));
    }
    layout->addStretch();
    return list;
}

void frmCatalog::AddItem(QWidget& list, QVBoxLayout& layout, const CatalogItem& item) {
    QLabel* title = TextLabel(QString::fromStdString(item.title), "lblTitle", list);
    QFont font = title->font();
    font.setBold(true);
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * kTitleScale);
    }
    title->setFont(font);
    titles_.push_back(title);
    QLabel* description = TextLabel(Paragraph(item.description), "lblDescription", list);
    description->setContentsMargins(0, 0, 0, title->fontMetrics().height() / 2);
    layout.addWidget(title);
    layout.addWidget(description);
    if (!item.page.empty()) {
        const QString address = QString::fromStdString(CatalogPageAddress(item.page));
        LinkToPage(*title, address);
        LinkToPage(*description, address);
    }
}

void frmCatalog::LinkToPage(QLabel& label, const QString& address) {
    label.setCursor(Qt::PointingHandCursor);
    label.setToolTip(address);
    label.installEventFilter(this);
    pages_[&label] = address;
}

void frmCatalog::showEvent(QShowEvent* event) {
    ApplyTitleColor();
    QDialog::showEvent(event);
}

// A click is a left-button release over the label it began on; a release elsewhere is a change of
// mind.
bool frmCatalog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto page = pages_.find(watched);
        const auto* release = static_cast<const QMouseEvent*>(event);
        const auto* label = qobject_cast<const QLabel*>(watched);
        if (page != pages_.end() && label != nullptr && release->button() == Qt::LeftButton &&
            label->rect().contains(release->position().toPoint())) {
            LaunchWebPage(page->second, opener_, messages_, this);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmCatalog::ApplyTitleColor() {
    const QColor colour = FromWindowsColor(lngTitleForeColor);
    for (QLabel* title : titles_) {
        QPalette palette = title->palette();
        palette.setColor(QPalette::WindowText, colour);
        title->setPalette(palette);
    }
}

void frmCatalog::cmdClose_Click() {
    hide();
}

std::string DefaultCatalogPath() {
    return ProgramTextPath(DataFolder(ProgramFolder(), "catalog.txt"), "catalog.txt");
}

CatalogWindowPresenter::CatalogWindowPresenter(WebPageOpener& opener, MessagePresenter& messages,
                                               std::string catalogPath)
    : opener_(opener), messages_(messages), catalogPath_(std::move(catalogPath)) {}

// The owner is hidden while the catalog shows, so the catalog takes its place on the screen.
void CatalogWindowPresenter::ShowModal(QWidget* owner, uint32_t lngTitleForeColor) {
    if (!window_) {
        window_ = std::make_unique<frmCatalog>(LoadCatalogFile(catalogPath_), opener_, messages_);
    }
    window_->lngTitleForeColor = lngTitleForeColor;
    if (owner != nullptr) {
        window_->move(owner->frameGeometry().center() - window_->rect().center());
    }
    window_->exec();
}

}  // namespace ravelin
