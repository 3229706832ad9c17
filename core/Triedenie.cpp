#include "core/Triedenie.h"

std::int32_t TypTriedenia = 0;

// The sort pass itself comes with its own change.
