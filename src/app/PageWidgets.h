// Small makers the pages share for the widgets they place by hand.
#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace dravenloom {

// The program's own texts (captions, hints) as a QString.
QString Utf8Text(const char* text);

// A caption on a page: drawn over the page's background picture, at `where`.
QLabel* MakePageLabel(QWidget* parent, const char* caption, QRect where,
                      Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

} // namespace dravenloom
