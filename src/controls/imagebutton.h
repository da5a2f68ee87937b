#pragma once
// The image button under a second name, for code that speaks of it by its role.
#include "controls/tavobutton.h"

namespace ctl {
using ImageButton = ::tavoButton;
} // namespace ctl
