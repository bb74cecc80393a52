// The futuristic city of metal solids, and the arrest.
#pragma once

#include "story/model.hpp"

namespace story::regions {

using enum PassageId;

inline constexpr Page future_city_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};
inline constexpr Option future_city_options[] = {
    {"p->ponerte a manosear los genitales de la gente"_t, to(city_groping)},
    {"e->empezar a dar hostias a la gente"_t, to(city_beating)},
    {"q->qudarte quieto donde estás observando qué pasa"_t, to(city_watching)},
};

inline constexpr Page city_groping_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page city_beating_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page city_watching_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page city_arrest_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Passage future_city_region[] = {
    {future_city, future_city_pages, menu(future_city_options)},
    {city_groping, city_groping_pages, link(city_arrest)},
    {city_beating, city_beating_pages, link(city_arrest)},
    {city_watching, city_watching_pages, link(city_arrest)},
    {city_arrest, city_arrest_pages, ending},
};

}  // namespace story::regions
