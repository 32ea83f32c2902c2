#pragma once

// The maker's catalog window, shown modally while the main window is hidden.

#include <cstdint>

class QWidget;

namespace ravelin {

class CatalogPresenter {
  public:
    virtual ~CatalogPresenter() = default;
    // lngTitleForeColor is a Windows colour value, 0x00BBGGRR. Returns when the window closes.
    virtual void ShowModal(QWidget* owner, uint32_t lngTitleForeColor) = 0;
};

}  // namespace ravelin
