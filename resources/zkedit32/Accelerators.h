// The editor's accelerator table (resource 300).
#pragma once

#include <span>

#include "platform/ui/Accelerator.h"

std::span<const platform::TAccel> EditorAccelerators();
