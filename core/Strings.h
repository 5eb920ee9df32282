#pragma once
// Moved to streams/Strings.h; this forward stays only until the scene toolkit includes it
// from there.
#include "streams/Strings.h"
