#include "ui/MainWindow.h"

#include "files/FolderListing.h"
#include "files/StringRoutines.h"
#include "support/qt/MessagePresenter.h"
#include "support/qt/QtChild.h"
#include "support/qt/Twips.h"
#include "ui/CatalogPresenter.h"
#include "ui/CompareWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QThread>

namespace ravelin {
namespace {

constexpr char kTag[] = "RVN";
constexpr uint32_t kCatalogTitleColor = 0x00FF0000;  // blue, in the order 00BBGGRR

}  // namespace

void SleepSeconds(int seconds) {
    QThread::sleep(static_cast<unsigned long>(seconds));
}

QString SoftwareVersion(int major, int minor) {
    return QString::number(major) + QLatin1Char('.') + QString::number(minor) + QLatin1Char('0');
}

QString frmMain::ProgramTextFile() {
    return QString::fromLatin1(kTag).toLower() + QStringLiteral(".dat");
}

frmMain::frmMain(MainWindowServices services)
    : services_(std::move(services)),
      dpi_(LogicalDpi(this)),
      ui_(CreateControls(*this, dpi_)),
      report_(services_.texts) {
    report_.Log().SetListener(this);
    setWindowTitle(QStringLiteral("Ravelin"));
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(1000);
    closeLater_.setSingleShot(true);
    connect(&closeLater_, &QTimer::timeout, this, &QWidget::close);
    ConnectHandlers();
}

// The output box outlives the log while the widget base class deletes its children.
frmMain::~frmMain() {
    report_.Log().SetListener(nullptr);
    ui_.txbOutput->disconnect(this);
    ui_.txbOutput->removeEventFilter(this);
    ui_.txbOutput->viewport()->removeEventFilter(this);
}

void frmMain::Form_Load() {
    SetSoftwareInfo();
    InitialiseWindow();
    SetWindowHeights(intSmallFormHeight, intSmallOutputHeight);
    MoveToTopCentre();
    AlignFooter();
    show();
    SetMainCaption();
    ui_.cmdExchangeFolders->setEnabled(false);
    cmdRestoreSettings_Click();
    for (int slot = 0; slot < 2; ++slot) {
        if (!ui_.txbFolder[slot]->text().isEmpty()) {
            CountSavedFolder(slot);
        }
    }
    // The restore offered the swap before a missing folder was emptied.
    ui_.cmdExchangeFolders->setEnabled(!ui_.txbFolder[0]->text().isEmpty() &&
                                       !ui_.txbFolder[1]->text().isEmpty());
    ui_.cmdCopyToClipboard->setEnabled(false);
    Timer1.start();
}

void frmMain::SetSoftwareInfo() {
    strSoftwareTitle = Text(1);
    strSoftwareVersion = SoftwareVersion(RAVELIN_VERSION_MAJOR, RAVELIN_VERSION_MINOR);
}

void frmMain::SetMainCaption() {
    setWindowTitle(strSoftwareTitle + QLatin1Char(' ') + strSoftwareVersion);
}

void frmMain::InitialiseWindow() {
    move(Px(100), Px(100));
    for (QLabel* label : ui_.lblNumFiles) {
        label->clear();
    }
    SetFormBackColor(*this, kFormBackColor);
    ShowMakerLabels(true);
    blnPaused = false;
    blnStopRequested = false;
    ui_.lblIntro->setText(Text(6));
    ui_.lblIntro->setWordWrap(true);
    ui_.lblProcessingFile->clear();
    ui_.optTxt->setChecked(true);
    strFileExt = TextFileExtension();
    ShowClearedNumbers();
    intSmallFormHeight = kSmallFormHeight;
    intSmallOutputHeight = kSmallOutputHeight;
    intLargeFormHeight = kLargeFormHeight;
    intLargeOutputHeight = kLargeOutputHeight;
}

void frmMain::MoveToTopCentre() {
    const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const int screenWidth = shownOn != nullptr ? shownOn->geometry().width() : width();
    move((screenWidth - frameGeometry().width()) / 2, 0);
}

// The progress labels share the footer strip with the maker labels, just above and below them.
void frmMain::AlignFooter() {
    const int top = TopTwips(*ui_.lblCopyright);
    SetTopTwips(*ui_.lblQuillmere, top);
    SetTopTwips(*ui_.lblQMurl, top);
    SetTopTwips(*ui_.lblProcessingFile, top - 100);
    SetTopTwips(*ui_.lblNoDuplicatesFound, top + 100);
    ui_.lblNoDuplicatesFound->move(ui_.lblProcessingFile->x(), ui_.lblNoDuplicatesFound->y());
}

void frmMain::CountSavedFolder(int slot) {
    std::string error;
    bool accessDenied = false;
    const std::string folder = ui_.txbFolder[slot]->text().toStdString();
    const int32_t count = CountFiles(folder, "*." + strFileExt.toStdString(), error, accessDenied,
                                     [this] { Yield(); });
    if (count < 0 && !FolderExists(folder)) {
        ui_.lblNumFiles[slot]->clear();
        ShowMessageBox(QString::fromStdString(Ordinal(slot + 1)) + QLatin1Char(' ') + Text(3) +
                           QLatin1Char('.'),
                       QStringLiteral("Path not found"), MessageIcon::Information);
        ui_.txbFolder[slot]->clear();
        return;
    }
    ui_.lblNumFiles[slot]->setText(count == 0 ? Text(4) : FileCountCaption(count));
}

// One file has a caption of its own; a folder that could not be read shows no count at all.
QString frmMain::FileCountCaption(int32_t count) const {
    if (count == 1) {
        return Text(5);
    }
    if (count < 0) {
        return {};
    }
    return QString::number(count) + QStringLiteral(" .") + strFileExt + QStringLiteral(" files");
}

void frmMain::ConnectHandlers() {
    connect(ui_.cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
    connect(ui_.cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    for (int index = 0; index < 2; ++index) {
        connect(ui_.cmdFolder[index], &QPushButton::clicked, this,
                [this, index] { cmdFolder_Click(index); });
    }
    connect(ui_.cmdExchangeFolders, &QPushButton::clicked, this,
            [this] { cmdExchangeFolders_Click(); });
    connect(ui_.cmdSaveSettings, &QPushButton::clicked, this, [this] { cmdSaveSettings_Click(); });
    connect(ui_.cmdRestoreSettings, &QPushButton::clicked, this,
            [this] { cmdRestoreSettings_Click(); });
    connect(ui_.cmdClearSettings, &QPushButton::clicked, this,
            [this] { cmdClearSettings_Click(); });
    connect(ui_.cmdCopyToClipboard, &QPushButton::clicked, this,
            [this] { cmdCopyToClipboard_Click(); });
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(ui_.cmdUserManual, &QPushButton::clicked, this, [this] { cmdUserManual_Click(); });
    connect(ui_.cmdQMsoftware, &QPushButton::clicked, this, [this] { cmdQMsoftware_Click(); });
    connect(ui_.txbOutput, &QPlainTextEdit::textChanged, this, [this] { UserEditedOutput(); });
    ui_.txbOutput->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui_.txbOutput, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowOutputMenu(at); });
    auto* save = NewChild<QShortcut>(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, [this] { SaveResultsAs(); });
    ui_.lblQuillmere->installEventFilter(this);
    ui_.txbOutput->installEventFilter(this);
    ui_.txbOutput->viewport()->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.lblQuillmere && event->type() == QEvent::MouseButtonRelease &&
        ui_.lblQuillmere->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        lblQuillmere_Click();
        return true;
    }
    // A double-click or Enter on a match's lines opens it; elsewhere the box behaves as before.
    if (watched == ui_.txbOutput->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (OpenCompareWindowAt(ui_.txbOutput->cursorForPosition(at).position())) {
            return true;
        }
    }
    if (watched == ui_.txbOutput && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            OpenCompareWindowAt(ui_.txbOutput->textCursor().position())) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Closing from the title bar ends the program; a running scan is stopped first and the window
// closes only after the scan has unwound.
void frmMain::closeEvent(QCloseEvent* event) {
    if (ScanRunning()) {
        if (ui_.cmdQuit->text() == QLatin1String("Stop")) {
            StopHandler();
        }
        closeAfterScan_ = true;
        event->ignore();
        return;
    }
    Timer1.stop();
    event->accept();
    QCoreApplication::quit();
}

void frmMain::QuitProgram() {
    ShowCatalogModally();
    Timer1.stop();
    QCoreApplication::quit();
}

void frmMain::cmdQMsoftware_Click() {
    ShowCatalogModally();
    show();
}

void frmMain::ShowCatalogModally() {
    hide();
    services_.catalog.ShowModal(this, kCatalogTitleColor);
}

void frmMain::ShowMessageBox(const QString& text, const QString& title, MessageIcon icon) {
    services_.messages.Show(this, text, title, icon);
}

QString frmMain::Text(int n) const {
    return QString::fromStdString(services_.texts.Text(n));
}

int frmMain::Px(int twips) const {
    return TwipsToPixels(twips, dpi_);
}

int frmMain::TopTwips(const QWidget& control) const {
    return PixelsToTwips(control.y(), dpi_);
}

void frmMain::SetTopTwips(QWidget& control, int top) const {
    control.move(control.x(), Px(top));
}

}  // namespace ravelin
