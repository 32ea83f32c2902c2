#pragma once

// The maker's catalog: an introduction and a scrollable list of the maker's other programs, each
// title and description a link to the program's page.

#include "support/qt/MessagePresenter.h"
#include "support/qt/WebLauncher.h"
#include "ui/CatalogFile.h"
#include "ui/CatalogPresenter.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QEvent;
class QLabel;
class QObject;
class QShowEvent;
class QVBoxLayout;
class QWidget;

namespace ravelin {

class frmCatalog final : public QDialog {
    Q_OBJECT

  public:
    // With no items the list says that it is not available.
    frmCatalog(const std::vector<CatalogItem>& items, WebPageOpener& opener,
               MessagePresenter& messages, QWidget* parent = nullptr);

    // The colour of the item titles as a Windows colour value, 0x00BBGGRR; read at each display.
    uint32_t lngTitleForeColor = 0;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* ItemList(const std::vector<CatalogItem>& items);
    void AddItem(QWidget& list, QVBoxLayout& layout, const CatalogItem& item);
    void LinkToPage(QLabel& label, const QString& address);
    void ApplyTitleColor();
    void cmdClose_Click();

    WebPageOpener& opener_;
    MessagePresenter& messages_;
    std::vector<QLabel*> titles_;
    std::map<const QObject*, QString> pages_;  // by the label that opens it
};

// Where the program looks for the catalog: catalog.txt in its own folder.
std::string DefaultCatalogPath();

// Creates the window from the catalog file on first use and keeps it between displays.
class CatalogWindowPresenter final : public CatalogPresenter {
  public:
    CatalogWindowPresenter(WebPageOpener& opener, MessagePresenter& messages,
                           std::string catalogPath = DefaultCatalogPath());

    void ShowModal(QWidget* owner, uint32_t lngTitleForeColor) override;

  private:
    WebPageOpener& opener_;
    MessagePresenter& messages_;
    std::string catalogPath_;
    std::unique_ptr<frmCatalog> window_;
};

}  // namespace ravelin
