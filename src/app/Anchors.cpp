// Moving and stretching a page's widgets by their anchors.
#include "app/Anchors.h"

#include <algorithm>

namespace dravenloom {
namespace {

// The start and length along one axis, with `low`/`high` the near and far anchors.
std::pair<int, int> Follow(int start, int length, bool low, bool high, int extra) {
    if (low && high)
        return {start, length + extra};
    if (high)
        return {start + extra, length};
    if (low)
        return {start, length};
    return {start + extra / 2, length};
}

} // namespace

QRect Anchored(const QRect& at, Anchors::Edges edges, QSize extra) {
    const auto [left, width] = Follow(at.x(), at.width(), edges.testFlag(Anchors::Left),
                                      edges.testFlag(Anchors::Right), extra.width());
    const auto [top, height] = Follow(at.y(), at.height(), edges.testFlag(Anchors::Top),
                                      edges.testFlag(Anchors::Bottom), extra.height());
    return QRect(left, top, width, height);
}

void Anchors::Add(QWidget* widget, Edges edges) {
    Entries.push_back({widget, widget->geometry(), edges});
}

void Anchors::Apply(QSize size) const {
    const QSize extra(std::max(0, size.width() - Base.width()),
                      std::max(0, size.height() - Base.height()));
    for (const Entry& entry : Entries) {
        if (entry.Widget)
            entry.Widget->setGeometry(Anchored(entry.Default, entry.Sides, extra));
    }
}

} // namespace dravenloom
