#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QString>
#include <QTest>

#include <vector>

#include <algorithm>

// Shared by the styles' tests: a palette whose roles all have colours of
// their own, so that a pixel tells which role painted it, and the ordinary
// hex form that the cache keys write backwards.
namespace styleprobes {

// Pixels the style did not paint keep this colour.
inline QColor untouched()
{
    return QColor(0xff, 0x00, 0xff);
}

inline QPalette rolePalette()
{
    QPalette palette;
    const struct
    {
        QPalette::ColorRole role;
        QRgb rgb;
    } roles[] = {
        {QPalette::Window, 0xb0b0d0},      {QPalette::WindowText, 0x101010}, {QPalette::Base, 0xffffe0},
        {QPalette::Text, 0x200000},        {QPalette::Button, 0xc0c0c0},     {QPalette::ButtonText, 0x002000},
        {QPalette::Light, 0xf0f0ff},       {QPalette::Midlight, 0xe0e0a0},   {QPalette::Mid, 0xa0a0a0},
        {QPalette::Dark, 0x808000},        {QPalette::Shadow, 0x000040},     {QPalette::Highlight, 0x000080},
        {QPalette::HighlightedText, 0xffff00},
    };
    for (const auto& r : roles)
        palette.setColor(r.role, QColor(r.rgb));
    return palette;
}

inline QColor role(QPalette::ColorRole r)
{
    return rolePalette().color(r);
}

inline QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(untouched());
    return image;
}

inline QColor pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

// The ordinary hex form of the value, reversed: what a key's hex field is.
inline QString reversedHex(quint64 value, int digits)
{
    QString text = QString::number(value, 16).rightJustified(digits, QLatin1Char('0'));
    std::reverse(text.begin(), text.end());
    return text;
}

// One pixel the drawing must leave in a colour; with a second colour, the
// pixel and its neighbour at 'next' must hold the two in some order (a
// dense pattern).
struct Probe
{
    QPoint at;
    QColor colour;
    QColor other = QColor();
    QPoint next = QPoint(1, 0);
};

inline Probe dots(QPoint at, QColor colour, QPoint next = QPoint(1, 0))
{
    return {at, colour, untouched(), next};
}

inline void verifyProbes(const QImage& image, const std::vector<Probe>& probes, const QPoint& offset = QPoint())
{
    for (const Probe& probe : probes) {
        const QPoint at = probe.at + offset;
        const QColor found = image.pixelColor(at);
        if (!probe.other.isValid()) {
            if (found != probe.colour)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, not %4")
                                     .arg(at.x())
                                     .arg(at.y())
                                     .arg(found.name(), probe.colour.name())));
            continue;
        }
        const QColor neighbour = image.pixelColor(at + probe.next);
        const bool pattern = (found == probe.colour && neighbour == probe.other)
            || (found == probe.other && neighbour == probe.colour);
        if (!pattern)
            QFAIL(qPrintable(QStringLiteral("pixels (%1, %2) are %3 and %4, not a pattern of %5 and %6")
                                 .arg(at.x())
                                 .arg(at.y())
                                 .arg(found.name(), neighbour.name(), probe.colour.name(), probe.other.name())));
    }
}

// The box of the pixels in that colour (an empty rectangle for none).
inline QRect boxOf(const QImage& image, const QColor& colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace styleprobes
