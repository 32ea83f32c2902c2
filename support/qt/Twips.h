#pragma once

// Positions and sizes are designed in twips, 1440 to the logical inch of the screen, so that the
// design keeps its proportions at any scaling (15 twips a pixel at 96 dpi).

class QWidget;

namespace ravelin {

inline constexpr int kTwipsPerInch = 1440;

int TwipsToPixels(int twips, double logicalDpi);
int PixelsToTwips(int pixels, double logicalDpi);

// The logical dpi of the screen the widget is on (96 when it has none).
double LogicalDpi(const QWidget* widget);

}  // namespace ravelin
