#include "GM_ExceptionEventCorrupted.h"

GM_ExceptionEventCorrupted::GM_ExceptionEventCorrupted(const QString& message)
    : GM_Exception(message)
{
}

GM_ExceptionEventCorrupted::~GM_ExceptionEventCorrupted() = default;
