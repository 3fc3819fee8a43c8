#pragma once

// What the classic style's drawing tests share: the probed case, options
// in the role palette, the palette's colours, the check mark's strokes,
// the arrow's cache key and a grabbed real widget.

#include "EchelleDEcranImposee.h"
#include "QWindowsStyleLocal.h"
#include "StyleProbes.h"
#include "StyleTools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QSlider>
#include <QPainter>
#include <QPixmapCache>
#include <QProgressBar>
#include <QRadioButton>
#include <QRubberBand>
#include <QStyleOption>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <vector>

namespace windowsdrawing {

using namespace styleprobes;

using Draw = std::function<void(const QStyle&, QPainter*)>;

struct Case
{
    const char* name;
    QSize image;
    Draw draw;
    std::vector<Probe> probes;
};

template <typename Option> Option optionOf(const QRect& rect, QStyle::State state = QStyle::State_Enabled)
{
    Option option;
    option.rect = rect;
    option.state = state;
    option.palette = rolePalette();
    return option;
}

inline Draw primitive(QStyle::PrimitiveElement element, const QStyleOption& option)
{
    return [element, &option](const QStyle& style, QPainter* p) { style.drawPrimitive(element, &option, p); };
}

inline const QColor LIGHT = role(QPalette::Light);
inline const QColor MIDLIGHT = role(QPalette::Midlight);
inline const QColor BUTTON = role(QPalette::Button);
inline const QColor DARK = role(QPalette::Dark);
inline const QColor SHADOW = role(QPalette::Shadow);
inline const QColor WINDOW = role(QPalette::Window);
inline const QColor BASE = role(QPalette::Base);
inline const QColor TEXT = role(QPalette::Text);
inline const QColor BUTTON_TEXT = role(QPalette::ButtonText);
inline const QColor HIGHLIGHT = role(QPalette::Highlight);
inline const QColor HIGHLIGHTED_TEXT = role(QPalette::HighlightedText);
inline const QColor NONE = untouched();

// The check mark's strokes: column 3 + k from row 5 + d(k), three long.
inline const int DROP[7] = {0, 1, 2, 1, 0, -1, -2};

inline std::vector<Probe> checkMark(QPoint origin, const QColor& pen, const QColor& around)
{
    std::vector<Probe> probes;
    for (int k = 0; k < 7; ++k) {
        const QPoint top = origin + QPoint(3 + k, 5 + DROP[k]);
        probes.push_back({top, pen});
        probes.push_back({top + QPoint(0, 2), pen});
        probes.push_back({top + QPoint(0, -1), around});
        probes.push_back({top + QPoint(0, 3), around});
    }
    return probes;
}

inline QString arrowKey(const QStyleOption& option, int side, QStyle::PrimitiveElement element)
{
    return StyleTools::optionCacheKey(QStringLiteral("$qt_ia-QWindowsStyleLocal"), &option, QSize(side, side))
        + reversedHex(quint32(element), 8);
}

inline QImage grabbed(QWidget& widget)
{
    widget.setPalette(rolePalette());
    widget.adjustSize();
    widget.show();
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace windowsdrawing
