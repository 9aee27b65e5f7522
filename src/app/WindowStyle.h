// Looks every window of the program shares: the dialog font, the serif font, centring and
// placing one window beside another.
#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace dravenloom {

// 8-point "MS Sans Serif", or the nearest sans-serif font the system has.
QFont DialogFont();
// "Times New Roman" at the given size, or the metric-compatible "Liberation Serif".
QFont SerifFont(int pointSize, bool bold = false);
// "Courier New", or the metric-compatible "Liberation Mono".
QFont FixedFont(int pointSize);
// Background of a disabled field: the classic colour of inactive caption text.
QColor InactiveCaptionTextColour();
// Fixes the client area at width x height and centres the window on its screen.
void FixClientSize(QWidget* window, int width, int height);
void CentreOnScreen(QWidget* window);
// Moves `window` beside `anchor` on the anchor's screen (PlaceBeside's rule).
void PlaceBesideWindow(QWidget* window, const QWidget* anchor);

} // namespace dravenloom
