#include "GM_Exception.h"

GM_Exception::GM_Exception(const QString& message)
    : message_(message)
{
}

GM_Exception::~GM_Exception() = default;
