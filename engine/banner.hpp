#pragma once

#include "console/console.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

// The lines every run starts with, once.
void write_banner(console::Console& console);

}  // namespace engine::inline TRAMONTALIA_EDITION
