#pragma once

#include "console/console.hpp"

namespace engine {

// The lines every run starts with, once.
void write_banner(console::Console& console);

}  // namespace engine
