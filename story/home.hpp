// Waking in one's own bed, where four paths of the story end.
#pragma once

#include "story/model.hpp"

namespace story::regions {

using enum PassageId;

// The news page follows only a racing accident; otherwise the run ends after
// the first page.
inline constexpr Page home_bed_pages[] = {
    {Gate::accident_flag, "PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Passage home[] = {
    {home_bed, home_bed_pages, ending},
};

}  // namespace story::regions
