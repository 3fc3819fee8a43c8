#pragma once

#include <QString>
#include <QtGlobal>

// The limits the acceptance cases wait against, stretched for a slow build
// of the program (a sanitizer's, say): ZUBRIK_ACCEPTANCE_SLOW=<factor>
// multiplies every limit; unset, or not a number of at least 1, it leaves
// them as they are. Pauses that pace the input or the looks are no limits
// and keep their length.
namespace lenteur {

inline double facteur()
{
    static const double f = [] {
        bool ok = false;
        const double v = qEnvironmentVariable("ZUBRIK_ACCEPTANCE_SLOW").toDouble(&ok);
        return ok && v >= 1.0 ? v : 1.0;
    }();
    return f;
}

inline int limite(int ms)
{
    return int(ms * facteur());
}

} // namespace lenteur
