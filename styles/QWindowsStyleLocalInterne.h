#pragma once

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QtGlobal>

// What the drawing files of the Windows-look style share: the inside
// outline, the exchanged button palette and the frame in which tab shapes
// and pointed slider handles are laid out. Only the style's own drawing
// sources include it.
//
// Rules:
// - Nothing here keeps state; the painter is drawn on as it stands, and
//   ShapeFrame sets the pen or fills without giving anything back.
namespace windows_style_interne {

// Scroll-bar, combo-box and spin-box buttons show Button on their outer lit
// edge and Light inside it.
inline QPalette buttonLightExchanged(const QPalette& palette)
{
    QPalette copy = palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor button = palette.color(group, QPalette::Button);
        copy.setColor(group, QPalette::Button, palette.color(group, QPalette::Light));
        copy.setColor(group, QPalette::Light, button);
    }
    copy.setCurrentColorGroup(palette.currentColorGroup());
    return copy;
}

// Draws an outline that runs round the rectangle's inside edge.
inline void outline(QPainter* painter, const QRect& rect)
{
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
}

// Lines of a shape laid out along a bar (a tab, a pointed handle) drawn in
// the shape's own coordinates: 'along' runs along the bar, 'across' from
// the shape's outer edge inward. The mapping turns them into the widget's.
class ShapeFrame
{
public:
    enum Turn { Down, Up, Right, Left };

    // The rectangle's along and across ranges follow the turn: Down and Up
    // run along x, Right and Left along y; Down and Right count across from
    // the top or left edge, Up and Left from the bottom or right edge.
    ShapeFrame(QPainter* painter, const QRect& rect, Turn turn) : m_painter(painter), m_rect(rect), m_turn(turn) {}

    int alongFirst() const { return horizontal() ? m_rect.left() : m_rect.top(); }
    int alongLast() const { return horizontal() ? m_rect.right() : m_rect.bottom(); }
    int depth() const { return horizontal() ? m_rect.height() : m_rect.width(); }

    QPoint point(int along, int across) const
    {
        switch (m_turn) {
        case Down:
            return {along, m_rect.top() + across};
        case Up:
            return {along, m_rect.bottom() - across};
        case Right:
            return {m_rect.left() + across, along};
        case Left:
            return {m_rect.right() - across, along};
        }
        return {};
    }

    void line(const QColor& colour, int along1, int across1, int along2, int across2) const
    {
        m_painter->setPen(colour);
        m_painter->drawLine(point(along1, across1), point(along2, across2));
    }

    void fill(const QBrush& brush, int alongFrom, int acrossFrom, int alongTo, int acrossTo) const
    {
        if (alongTo < alongFrom || acrossTo < acrossFrom)
            return;
        const QPoint a = point(alongFrom, acrossFrom);
        const QPoint b = point(alongTo, acrossTo);
        m_painter->fillRect(QRect(QPoint(qMin(a.x(), b.x()), qMin(a.y(), b.y())),
                                  QPoint(qMax(a.x(), b.x()), qMax(a.y(), b.y()))),
                            brush);
    }

private:
    bool horizontal() const { return m_turn == Down || m_turn == Up; }

    QPainter* m_painter;
    QRect m_rect;
    Turn m_turn;
};

} // namespace windows_style_interne
