// The gutter marks of the ten bookmarks: small images drawn from data.
#pragma once

#include <cstdint>

#include "platform/ui/Canvas.h"

// The mark of bookmark `number` (0..9; others give mark 0).
const platform::TSmallBitmap& BookmarkMark(int32_t number);
