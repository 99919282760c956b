// Precise time of the in-house library.
#pragma once

#include "SysUtils.h"

// The current local date and time, to the microsecond.
TDateTime KVXNowPrecise();
