// Control drawing of the Windows-look style: classic tab shapes, the menu
// bar's empty area, header sections, the rubber band, the scroll-bar parts,
// tool bars, progress-bar contents and tool-box tabs. What is not drawn
// here goes to QCommonStyle.
#include "QWindowsStyleLocal.h"

#include "QWindowsStyleLocalInterne.h"

#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>
#include <QTabBar>
#include <QWidget>
#include <qdrawutil.h>

#include <utility>

using namespace windows_style_interne;

namespace {

constexpr int RUBBER_BAND_TILE = 16;

// Classic tabs: unselected tabs stand this much lower than the selected
// one, which reaches this far over its neighbours.
constexpr int TAB_UNSELECTED_DROP = 2;
constexpr int TAB_SELECTED_OVERHANG = 2;

constexpr int SCROLL_BAR_ARROW_MARGIN = 4;

// A scroll bar's page, and a greyed slider, in a dense pattern over the
// window's colour (a pressed page darker); the painter's tools are left as
// they were found.
void drawDensePage(QPainter* painter, const QRect& rect, const QPalette& palette, bool sunken)
{
    const QBrush background = painter->background();
    const Qt::BGMode mode = painter->backgroundMode();
    const QPen pen = painter->pen();
    const QBrush brush = painter->brush();
    painter->setPen(Qt::NoPen);
    painter->setBackgroundMode(Qt::OpaqueMode);
    if (sunken) {
        painter->setBrush(QBrush(palette.shadow().color(), Qt::Dense4Pattern));
        painter->setBackground(palette.dark().color());
    } else {
        const QPixmap texture = palette.light().texture();
        painter->setBrush(texture.isNull() ? QBrush(palette.light().color(), Qt::Dense4Pattern) : QBrush(texture));
        painter->setBackground(palette.window().color());
    }
    painter->drawRect(rect);
    painter->setPen(pen);
    painter->setBrush(brush);
    painter->setBackground(background);
    painter->setBackgroundMode(mode);
}

} // namespace

void QWindowsStyleLocal::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const
{
    if (!option || !painter)
        return;
    const QRect& rect = option->rect;
    const QPalette& palette = option->palette;
    const State state = option->state;

    switch (element) {
    case CE_TabBarTabShape:
        drawTabShape(option, painter, widget);
        return;
    case CE_MenuBarEmptyArea:
        // Only a main window's menu bar sits on a line of its own.
        if (widget && qobject_cast<const QMainWindow*>(widget->parentWidget())) {
            painter->fillRect(rect, palette.button());
            const QPen pen = painter->pen();
            painter->setPen(palette.dark().color());
            painter->drawLine(rect.bottomLeft(), rect.bottomRight());
            painter->setPen(pen);
        }
        return;
    case CE_HeaderSection: {
        const QBrush fill = state & State_On ? QBrush(palette.light().color(), Qt::Dense4Pattern) : palette.button();
        if (state & (State_Raised | State_Sunken))
            qDrawWinButton(painter, rect, palette, state & State_Sunken, &fill);
        else
            painter->fillRect(rect, fill);
        return;
    }
    case CE_Splitter:
        painter->eraseRect(rect);
        return;
    case CE_RubberBand: {
        if (!qstyleoption_cast<const QStyleOptionRubberBand*>(option))
            return;
        QPixmap tile(RUBBER_BAND_TILE, RUBBER_BAND_TILE);
        {
            QPainter tilePainter(&tile);
            tilePainter.setPen(Qt::NoPen);
            tilePainter.setBrush(Qt::Dense4Pattern);
            tilePainter.setBackground(Qt::white);
            tilePainter.setBackgroundMode(Qt::OpaqueMode);
            tilePainter.drawRect(tile.rect());
        }
        painter->save();
        QStyleHintReturnMask mask;
        if (proxy()->styleHint(SH_RubberBand_Mask, option, widget, &mask))
            painter->setClipRegion(mask.region, painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        painter->drawTiledPixmap(rect, tile);
        painter->restore();
        return;
    }
    case CE_ScrollBarAddLine:
    case CE_ScrollBarSubLine:
        drawScrollBarLine(element, option, painter, widget);
        return;
    case CE_ScrollBarAddPage:
    case CE_ScrollBarSubPage:
        drawDensePage(painter, rect, palette, state & State_Sunken);
        return;
    case CE_ScrollBarSlider:
        if (state & State_Enabled) {
            const QBrush fill = palette.button();
            qDrawWinButton(painter, rect, buttonLightExchanged(palette), false, &fill);
        } else {
            drawDensePage(painter, rect, palette, false);
        }
        return;
    case CE_ToolBar:
        drawToolBar(option, painter);
        return;
    case CE_ProgressBarContents:
        // The common style divides by the width of a busy bar's contents:
        // a bar squeezed to nothing (its contents are the groove less 3 on
        // each side) would bring the program down. An empty bar shows
        // nothing anyway.
        if (!rect.isEmpty())
            QCommonStyle::drawControl(element, option, painter, widget);
        return;
    case CE_ToolBoxTabShape: {
        const QBrush fill = palette.button();
        qDrawShadePanel(painter, rect, palette, state & (State_Sunken | State_On), 1, &fill);
        return;
    }
    default:
        QCommonStyle::drawControl(element, option, painter, widget);
        return;
    }
}

void QWindowsStyleLocal::drawScrollBarLine(ControlElement element, const QStyleOption* option, QPainter* painter,
                                           const QWidget* widget) const
{
    const QRect& rect = option->rect;
    const QPalette& palette = option->palette;
    const State state = option->state;
    const QBrush fill = palette.button();
    if (state & State_Sunken) {
        const QPen pen = painter->pen();
        const QBrush brush = painter->brush();
        painter->setPen(palette.dark().color());
        painter->setBrush(fill);
        outline(painter, rect);
        painter->setPen(pen);
        painter->setBrush(brush);
    } else {
        qDrawWinButton(painter, rect, buttonLightExchanged(palette), state & (State_Sunken | State_On), &fill);
    }

    PrimitiveElement arrow;
    if (state & State_Horizontal) {
        const bool add = (element == CE_ScrollBarAddLine) != (option->direction == Qt::RightToLeft);
        arrow = add ? PE_IndicatorArrowRight : PE_IndicatorArrowLeft;
    } else {
        arrow = element == CE_ScrollBarAddLine ? PE_IndicatorArrowDown : PE_IndicatorArrowUp;
    }
    QStyleOption arrowOption = *option;
    arrowOption.rect = rect.adjusted(SCROLL_BAR_ARROW_MARGIN, SCROLL_BAR_ARROW_MARGIN, -SCROLL_BAR_ARROW_MARGIN,
                                     -SCROLL_BAR_ARROW_MARGIN);
    proxy()->drawPrimitive(arrow, &arrowOption, painter, widget);
}

void QWindowsStyleLocal::drawToolBar(const QStyleOption* option, QPainter* painter) const
{
    const auto* toolBar = qstyleoption_cast<const QStyleOptionToolBar*>(option);
    if (!toolBar)
        return;
    bool left = true;
    bool right = true;
    bool bottom = true;
    const bool firstOfLine = toolBar->positionOfLine == QStyleOptionToolBar::Beginning
        || toolBar->positionOfLine == QStyleOptionToolBar::OnlyOne;
    switch (toolBar->toolBarArea) {
    case Qt::LeftToolBarArea:
        left = !firstOfLine;
        break;
    case Qt::RightToolBarArea:
        right = !firstOfLine;
        break;
    case Qt::BottomToolBarArea:
        bottom = !firstOfLine;
        break;
    default:
        break;
    }
    if (toolBar->toolBarArea == Qt::TopToolBarArea || toolBar->toolBarArea == Qt::BottomToolBarArea) {
        switch (toolBar->positionWithinLine) {
        case QStyleOptionToolBar::Beginning:
            left = false;
            break;
        case QStyleOptionToolBar::End:
            right = false;
            break;
        case QStyleOptionToolBar::OnlyOne:
            left = false;
            right = false;
            break;
        default:
            break;
        }
        // A right-to-left line begins at the right: its borders trade sides.
        if (toolBar->direction == Qt::RightToLeft)
            std::swap(left, right);
    }

    const QRect& rect = toolBar->rect;
    const QColor light = toolBar->palette.light().color();
    const QColor dark = toolBar->palette.dark().color();
    const QPen pen = painter->pen();
    painter->setPen(light);
    painter->drawLine(rect.topLeft(), rect.topRight());
    if (left)
        painter->drawLine(rect.topLeft(), rect.bottomLeft());
    painter->setPen(dark);
    if (right)
        painter->drawLine(rect.topRight(), rect.bottomRight());
    if (bottom)
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(pen);
}

void QWindowsStyleLocal::drawTabShape(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
    if (!tab)
        return;
    ShapeFrame::Turn turn;
    switch (tab->shape) {
    case QTabBar::RoundedNorth:
        turn = ShapeFrame::Down;
        break;
    case QTabBar::RoundedSouth:
        turn = ShapeFrame::Up;
        break;
    case QTabBar::RoundedWest:
        turn = ShapeFrame::Right;
        break;
    case QTabBar::RoundedEast:
        turn = ShapeFrame::Left;
        break;
    default:
        QCommonStyle::drawControl(CE_TabBarTabShape, option, painter, widget);
        return;
    }
    // The frame's across runs from the tab's outer edge toward the pane.
    const ShapeFrame frame(painter, tab->rect, turn);
    const bool horizontal = turn == ShapeFrame::Down || turn == ShapeFrame::Up;
    const bool selected = tab->state & State_Selected;
    const int overlap = proxy()->pixelMetric(PM_TabBarBaseOverlap, tab, widget);

    // Neighbours by side: 'low' is the left or top side. A right-to-left
    // bar begins at the right.
    const bool reversed = horizontal && tab->direction == Qt::RightToLeft;
    const bool hasPrevious =
        tab->position == QStyleOptionTab::Middle || tab->position == QStyleOptionTab::End;
    const bool previousSelected = tab->selectedPosition == QStyleOptionTab::PreviousIsSelected;
    const bool nextSelected = tab->selectedPosition == QStyleOptionTab::NextIsSelected;
    // The first tab stands at the bar's start unless the tabs are centred or
    // pushed to the far end.
    const int alignment = proxy()->styleHint(SH_TabBar_Alignment, tab, widget);
    const bool roomBeforeFirst = horizontal && (alignment & (Qt::AlignHCenter | Qt::AlignRight));
    const bool roomBefore = hasPrevious || roomBeforeFirst;
    const bool lowRoom = reversed ? true : roomBefore;
    const bool highRoom = reversed ? roomBefore : true;
    const bool lowSelected = reversed ? nextSelected : previousSelected;
    const bool highSelected = reversed ? previousSelected : nextSelected;

    int first = frame.alongFirst();
    int last = frame.alongLast();
    int outer = 0;
    int inner = frame.depth() - 1;
    bool drawLow = true;
    bool drawHigh = true;
    int fillEnd;
    if (selected) {
        // The selected tab stands taller and wider, and opens into the pane:
        // its sides reach into the pane's frame by half the overlap, its body
        // covers the frame under it.
        if (lowRoom)
            first -= TAB_SELECTED_OVERHANG;
        if (highRoom)
            last += TAB_SELECTED_OVERHANG;
        fillEnd = inner;
        inner -= overlap / 2;
    } else {
        outer = TAB_UNSELECTED_DROP;
        inner -= overlap;
        fillEnd = inner;
        // The selected neighbour's overhang covers this side.
        if (lowSelected) {
            first += TAB_SELECTED_OVERHANG;
            drawLow = false;
        }
        if (highSelected) {
            last -= TAB_SELECTED_OVERHANG;
            drawHigh = false;
        }
    }

    const QPalette& palette = tab->palette;
    const QColor light = palette.light().color();
    const QColor dark = palette.dark().color();
    const QColor shadow = palette.shadow().color();
    // The outer edge faces up or left for tabs above or left of the pane.
    const bool outerLit = turn == ShapeFrame::Down || turn == ShapeFrame::Right;

    const QPen pen = painter->pen();
    frame.fill(palette.window(), drawLow ? first + 1 : first, outer + 1, drawHigh ? last - 1 : last, fillEnd);
    frame.line(outerLit ? light : shadow, first + (drawLow ? 2 : 0), outer, last - (drawHigh ? 2 : 0), outer);
    if (!outerLit)
        frame.line(dark, first + (drawLow ? 2 : 0), outer + 1, last - (drawHigh ? 2 : 0), outer + 1);
    if (drawLow) {
        frame.line(outerLit ? light : shadow, first + 1, outer + 1, first + 1, outer + 1);
        frame.line(light, first, outer + 2, first, inner);
    }
    if (drawHigh) {
        frame.line(shadow, last - 1, outer + 1, last - 1, outer + 1);
        frame.line(shadow, last, outer + 2, last, inner);
        frame.line(dark, last - 1, outer + 2, last - 1, inner);
    }
    painter->setPen(pen);
}
