#pragma once

#include "GM_Exception.h"

// A game file written in a format this version no longer reads.
class GM_ExceptionFileTooOld : public GM_Exception
{
public:
    GM_ExceptionFileTooOld();
    ~GM_ExceptionFileTooOld() override;
};
