// Menu drawing of the Plastique style: the items of a drop-down menu and of
// a menu bar. The common style below draws neither a drop-down item nor a
// menu-bar highlight, so without these every menu of the program dropped
// down blank under the Plastique look and every theme built on it.
//
// The items fit the sizes the common style gives them (CT_MenuItem): a
// margin of MARGIN at the left, the check and icon column, the text, and
// ARROW_PLACE at the right for a submenu's arrow.
#include "QPlastiqueStyleLocal.h"

#include "PlastiqueDrawing.h"

#include <QPainter>
#include <QStyleOption>

using namespace PlastiqueDrawing;

namespace {

constexpr int MARGIN = 4;
constexpr int ARROW_PLACE = 8;
constexpr int ARROW_SIZE = 7;
constexpr int COLUMN_MINIMUM = 20;
constexpr int COLUMN_GAP = 2;
constexpr int SEPARATOR_INSET = 3;
constexpr int HIGHLIGHT_TOP_LIGHT = 125;
constexpr int HIGHLIGHT_BORDER_DARK = 130;
constexpr int CHECK_DOT = 6;

// The selected item's panel: the highlight colour, lighter at the top, in
// a darker outline. Its text is the highlighted-text colour.
void drawHighlight(QPainter* painter, const QRect& rect, const QPalette& palette)
{
    const QColor highlight = palette.highlight().color();
    drawCachedGradient(painter, rect, highlight.lighter(HIGHLIGHT_TOP_LIGHT), highlight);
    painter->setPen(highlight.darker(HIGHLIGHT_BORDER_DARK));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
}

// A check mark (or a dot for exclusive items) centred in the rectangle.
void drawCheck(QPainter* painter, const QRect& rect, bool exclusive, const QColor& colour)
{
    painter->setRenderHint(QPainter::Antialiasing, true);
    const QPointF c = QRectF(rect).center();
    if (exclusive) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawEllipse(c, CHECK_DOT / 2.0, CHECK_DOT / 2.0);
        return;
    }
    QPen pen(colour, 2.0);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const QPointF points[] = {c + QPointF(-4.0, 0.0), c + QPointF(-1.5, 3.0), c + QPointF(4.0, -3.5)};
    painter->drawPolyline(points, 3);
}

} // namespace

void QPlastiqueStyleLocal::drawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item == nullptr)
        return;
    painter->save();
    const QRect rect = item->rect;
    const bool enabled = item->state & State_Enabled;
    QPalette palette = item->palette;
    if (!enabled)
        palette.setCurrentColorGroup(QPalette::Disabled);

    if (item->menuItemType == QStyleOptionMenuItem::EmptyArea) {
        painter->restore();
        return;
    }
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        const int y = rect.center().y();
        const QColor window = palette.window().color();
        painter->setPen(window.darker(BORDER_DARK_FACTOR));
        painter->drawLine(rect.left() + SEPARATOR_INSET, y, rect.right() - SEPARATOR_INSET, y);
        painter->setPen(window.lighter(HIGHLIGHT_TOP_LIGHT));
        painter->drawLine(rect.left() + SEPARATOR_INSET, y + 1, rect.right() - SEPARATOR_INSET, y + 1);
        if (!item->text.isEmpty())
            proxy()->drawItemText(painter, rect.adjusted(MARGIN, 0, -MARGIN, 0), Qt::AlignCenter, palette, enabled,
                                  item->text, QPalette::WindowText);
        painter->restore();
        return;
    }

    const bool selected = (item->state & State_Selected) && enabled;
    if (selected)
        drawHighlight(painter, rect, palette);
    const QPalette::ColorRole textRole = selected ? QPalette::HighlightedText : QPalette::Text;
    const QColor textColour = palette.color(textRole);

    // The check and icon column, then the text.
    const bool hasColumn = item->menuHasCheckableItems || item->maxIconWidth > 0;
    const int column = hasColumn ? qMax(item->maxIconWidth, COLUMN_MINIMUM) : 0;
    const QRect columnRect(rect.left() + MARGIN, rect.top(), column, rect.height());
    const bool checkable = item->checkType != QStyleOptionMenuItem::NotCheckable;
    if (!item->icon.isNull()) {
        const int extent = proxy()->pixelMetric(PM_SmallIconSize, option, widget);
        const QIcon::Mode mode = !enabled ? QIcon::Disabled : selected ? QIcon::Active : QIcon::Normal;
        const QPixmap pixmap = item->icon.pixmap(QSize(extent, extent), painter->device()->devicePixelRatio(), mode,
                                                 item->checked ? QIcon::On : QIcon::Off);
        if (checkable && item->checked && !selected)
            drawHighlight(painter, visualRect(item->direction, rect, columnRect), palette);
        proxy()->drawItemPixmap(painter, visualRect(item->direction, rect, columnRect), Qt::AlignCenter, pixmap);
    } else if (checkable && item->checked) {
        painter->save();
        drawCheck(painter, visualRect(item->direction, rect, columnRect),
                  item->checkType == QStyleOptionMenuItem::Exclusive, textColour);
        painter->restore();
    }

    const int textLeft = rect.left() + MARGIN + (hasColumn ? column + COLUMN_GAP : 0);
    const QRect textRect(textLeft, rect.top(), rect.right() - ARROW_PLACE - textLeft, rect.height());
    int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
    if (!proxy()->styleHint(SH_UnderlineShortcut, item, widget))
        flags |= Qt::TextHideMnemonic;
    QFont font = item->font;
    if (item->menuItemType == QStyleOptionMenuItem::DefaultItem)
        font.setBold(true);
    painter->setFont(font);
    QString text = item->text;
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        proxy()->drawItemText(painter, visualRect(item->direction, rect, textRect), flags | Qt::AlignRight, palette,
                              enabled, text.mid(tab + 1), textRole);
        text.truncate(tab);
    }
    proxy()->drawItemText(painter, visualRect(item->direction, rect, textRect), flags | Qt::AlignLeft, palette,
                          enabled, text, textRole);

    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOptionMenuItem arrow = *item;
        arrow.rect = visualRect(item->direction, rect,
                                QRect(rect.right() - ARROW_PLACE, rect.top() + (rect.height() - ARROW_SIZE) / 2,
                                      ARROW_SIZE, ARROW_SIZE));
        arrow.state = enabled ? State_Enabled : State_None;
        arrow.palette = palette;
        arrow.palette.setColor(QPalette::ButtonText, textColour);
        proxy()->drawPrimitive(item->direction == Qt::RightToLeft ? PE_IndicatorArrowLeft : PE_IndicatorArrowRight,
                               &arrow, painter, widget);
    }
    painter->restore();
}

void QPlastiqueStyleLocal::drawMenuBarItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item == nullptr)
        return;
    QStyleOptionMenuItem label = *item;
    // Open, or under the keyboard's or the mouse's choice.
    const bool highlighted = (item->state & State_Enabled) && (item->state & (State_Selected | State_Sunken));
    if (highlighted) {
        painter->save();
        drawHighlight(painter, item->rect, item->palette);
        painter->restore();
        label.palette.setColor(QPalette::ButtonText, item->palette.color(QPalette::HighlightedText));
    }
    QWindowsStyleLocal::drawControl(CE_MenuBarItem, &label, painter, widget);
}
