// Sinking through the deep water and the mud, and the city bus.
#pragma once

#include "story/model.hpp"

namespace story::regions {

using enum PassageId;

inline constexpr Page deep_sinking_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};
inline constexpr Option deep_sinking_options[] = {
    {"b->bajar en la próxima parada"_t, to(bus_next_stop)},
    {"m->matar al conductor"_t, to(bus_driver_killed)},
    {"d->darle un beso en toda la boca a un/a chic@ muy atractiv@ que está sentad@"_t,
     "   no muy lejos de ti"_t, to(bus_kiss)},
    {"r->romper el cristal y tirate por la ventana"_t, to(bus_window)},
};

inline constexpr Page bus_next_stop_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page bus_driver_killed_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Page bus_kiss_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Page bus_window_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Passage depths_and_bus[] = {
    {deep_sinking, deep_sinking_pages, menu(deep_sinking_options)},
    {bus_next_stop, bus_next_stop_pages, ending},
    {bus_driver_killed, bus_driver_killed_pages, ending},
    {bus_kiss, bus_kiss_pages, ending},
    {bus_window, bus_window_pages, link(home_bed, raise_accident_flag)},
};

}  // namespace story::regions
