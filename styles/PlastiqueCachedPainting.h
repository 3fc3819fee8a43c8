#pragma once

#include "PlastiqueDrawing.h"
#include "StyleTools.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOption>

#include <memory>

// Shared by the Plastique drawing files.
//
// Rules:
// - The key is StyleTools::optionCacheKey of the name, the option and its
//   size, then the suffix; it holds all the picture depends on.
// - The picture starts with the ground given (transparent unless told) and
//   goes to the option's top-left corner; drawn without caching, the
//   drawing lies straight on what is there.
// - The painter's state is saved between begin() and end().
//
// Paints a picture once per key: on the given painter when it may not be
// cached, else into an image that goes into QPixmapCache. The drawing gets
// the painter and the rectangle to paint in.
class PlastiqueCachedPainting
{
public:
    PlastiqueCachedPainting(const QString& name, const QStyleOption* option, QPainter* painter,
                            const QString& keySuffix = QString(), const QColor& ground = Qt::transparent)
        : m_painter(painter)
        , m_rect(option->rect)
        , m_area(option->rect)
        , m_ground(ground)
    {
        if (StyleTools::canCachePainting(painter, m_rect)) {
            m_key = StyleTools::optionCacheKey(name, option, m_rect.size()) + keySuffix;
            m_caching = true;
        }
    }

    // False when a cached picture was drawn and nothing is left to do.
    bool begin()
    {
        if (m_caching) {
            QPixmap pixmap;
            if (QPixmapCache::find(m_key, &pixmap)) {
                m_painter->drawPixmap(m_rect.topLeft(), pixmap);
                return false;
            }
            m_image = PlastiqueDrawing::createCacheImage(m_rect.size());
            m_image.fill(m_ground);
            m_own = std::make_unique<QPainter>(&m_image);
            m_area = QRect(0, 0, m_rect.width(), m_rect.height());
        }
        target()->save();
        return true;
    }

    QPainter* target() const { return m_own ? m_own.get() : m_painter; }
    const QRect& area() const { return m_area; }

    void end()
    {
        target()->restore();
        if (!m_own)
            return;
        m_own->end();
        m_own.reset();
        const QPixmap pixmap = QPixmap::fromImage(m_image);
        m_painter->drawPixmap(m_rect.topLeft(), pixmap);
        QPixmapCache::insert(m_key, pixmap);
    }

private:
    QPainter* m_painter;
    QRect m_rect;
    QRect m_area;
    QColor m_ground;
    QString m_key;
    bool m_caching = false;
    QImage m_image;
    std::unique_ptr<QPainter> m_own;
};
