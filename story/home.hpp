// Waking in one's own bed, where four paths of the story end.
#pragma once

#include "story/model.hpp"

namespace story::regions::inline TRAMONTALIA_EDITION {

using enum PassageId;

// The news page follows only a racing accident; otherwise the run ends after
// the first page.
inline constexpr Page home_bed_pages[] = {
    {Gate::accident_flag, "Quizá solo un sueño"_t,
     "De repente, sin saber cómo, estás recostado en la cama de tu habitación, en\n"
     "tu casa. Quizá todo haya sido un sueño, pero lo has vivido de una forma\n"
     "demasiado real como para estar seguro de ello."_t},
    {"Te levantas de la cama y enciendes la televisión."_t},
    {"Están dando las noticias deportivas, y no hablan de otra cosa que de un\n"
     "accidente mortal de Fórmula 1: por lo visto, el piloto que estaba a punto de\n"
     "proclamarse campeón del mundo salió despedido de su coche a toda velocidad."_t},
};

inline constexpr Passage home[] = {
    {home_bed, "Sin saber cómo"_t, home_bed_pages, ending("Las noticias deportivas"_t)},
};

}  // namespace story::regions::inline TRAMONTALIA_EDITION
