#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QString>

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

} // namespace styleprobes
