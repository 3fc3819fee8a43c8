#include "ZB_DisplayEmpty.h"

ZB_DisplayEmpty::ZB_DisplayEmpty()
    : DisplayA(nullptr, 0)
{
}

ZB_DisplayEmpty::~ZB_DisplayEmpty() = default;
