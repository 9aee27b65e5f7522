// The shared widget makers of the pages.
#include "app/PageWidgets.h"

#include <QLabel>

namespace dravenloom {

QString Utf8Text(const char* text) {
    return QString::fromUtf8(text);
}

QLabel* MakePageLabel(QWidget* parent, const char* caption, QRect where, Qt::Alignment alignment) {
    auto* label = new QLabel(Utf8Text(caption), parent);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setGeometry(where);
    label->setAlignment(alignment);
    return label;
}

} // namespace dravenloom
