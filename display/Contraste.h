#pragma once

// Relative luminance and contrast ratio as the usual readability rules
// define them (text is readable at 4.5 to 1 or more against what lies
// behind it): the scene keeps its status text to them, and the tests check
// the pictures against them.

#include <QColor>

#include <algorithm>
#include <cmath>

namespace contraste {

inline double luminance(const QColor& c)
{
    auto canal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
}

inline double rapport(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace contraste
