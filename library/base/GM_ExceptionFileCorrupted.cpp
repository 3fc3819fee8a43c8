#include "GM_ExceptionFileCorrupted.h"

GM_ExceptionFileCorrupted::GM_ExceptionFileCorrupted(const QString& detail)
    : GM_Exception(QStringLiteral("Ce fichier est corrompu."))
    , detail_(detail)
{
}

GM_ExceptionFileCorrupted::~GM_ExceptionFileCorrupted() = default;
