#include "ZB_Event.h"

ZB_Event::~ZB_Event() = default;
