// The dark opening in the wall, the desert and the flood.
#pragma once

#include "story/model.hpp"

namespace story::regions {

using enum PassageId;

inline constexpr Page wall_opening_pages[] = {
    {"PENDIENTE"_t},
};
inline constexpr Option wall_opening_options[] = {
    {"a->acercarte al umbral y examinar desde alli lo que hay mas alla"_t, to(threshold_approach)},
    {"e->entrar directamente por la abertura"_t, to(desert)},
    {"n->no acercarte hacia la abertura"_t, to(opening_refused)},
};

inline constexpr Page threshold_approach_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page desert_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page flood_pages[] = {
    {"PENDIENTE"_t},
};
inline constexpr Option flood_options[] = {
    {"n->nadar hacia una montaña que acabas de divisar"_t, to(swim_to_island)},
    {"q->quedarte quiet@ esperando que deje de llover"_t, to(float_and_drown)},
};

inline constexpr Page swim_to_island_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page float_and_drown_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page opening_refused_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Passage wall_and_flood[] = {
    {wall_opening, wall_opening_pages, menu(wall_opening_options)},
    {threshold_approach, threshold_approach_pages, link(desert)},
    {desert, desert_pages, link(flood)},
    {flood, flood_pages, menu(flood_options)},
    {swim_to_island, swim_to_island_pages, ending},
    {float_and_drown, float_and_drown_pages, ending},
    {opening_refused, opening_refused_pages, link(future_city)},
};

}  // namespace story::regions
