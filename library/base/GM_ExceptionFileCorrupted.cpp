#include "GM_ExceptionFileCorrupted.h"

GM_ExceptionFileCorrupted::GM_ExceptionFileCorrupted(const QString& detail)
    : GM_Exception(QString::fromUtf8(QT_TRANSLATE_NOOP("GM_Exception", "Ce fichier est corrompu.")))
    , detail_(detail)
{
}

GM_ExceptionFileCorrupted::~GM_ExceptionFileCorrupted() = default;
