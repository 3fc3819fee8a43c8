#pragma once

#include "GM_Exception.h"

// A game event whose text or values cannot be trusted.
class GM_ExceptionEventCorrupted : public GM_Exception
{
public:
    explicit GM_ExceptionEventCorrupted(const QString& message);
    ~GM_ExceptionEventCorrupted() override;
};
