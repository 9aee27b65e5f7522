// Anchors: how the widgets of a page laid out at its default size follow the page when the
// window grows. Each widget keeps its default geometry; the extra width and height move it or
// stretch it by its anchors.
#pragma once

#include <QFlags>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace dravenloom {

class Anchors {
public:
    // Left and Top alone (the default) keep a widget where it is. Right alone moves it with
    // the right edge; Left | Right stretches it. With neither Left nor Right it moves by half
    // the extra width, staying centred; likewise Top and Bottom downwards.
    enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8 };
    Q_DECLARE_FLAGS(Edges, Edge)
    static constexpr Edges All() { return Edges(Left | Top | Right | Bottom); }

    // `base`: the size of the page at which the widgets were placed.
    explicit Anchors(QSize base) : Base(base) {}

    // Notes `widget`'s geometry as it stands now (at the base size) and its anchors.
    void Add(QWidget* widget, Edges edges);
    // Places every noted widget for a page of `size`; a size below the base counts as the base,
    // so that a page never squeezes its widgets.
    void Apply(QSize size) const;

    QSize BaseSize() const { return Base; }

private:
    struct Entry {
        QPointer<QWidget> Widget;
        QRect Default;
        Edges Sides;
    };

    QSize Base;
    std::vector<Entry> Entries;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Anchors::Edges)

// The geometry a widget placed at `at` gets when the page is `extra` larger, by its anchors.
QRect Anchored(const QRect& at, Anchors::Edges edges, QSize extra);

} // namespace dravenloom
