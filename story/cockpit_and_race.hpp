// The empty cockpit, the dive and the Formula 1 race.
#pragma once

#include "story/model.hpp"

namespace story::regions {

using enum PassageId;

inline constexpr Page cockpit_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};
inline constexpr Option cockpit_options[] = {
    {"e->estrellar el avión"_t, to(nose_dive)},
    {"l->llamar a una azafata"_t, to(zombie_cabin)},
    {"s->salir de la cabina y volver a tu asiento"_t, to(back_to_seat)},
};

inline constexpr Page zombie_cabin_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Page back_to_seat_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Page nose_dive_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};
inline constexpr Option nose_dive_options[] = {
    {"s->seguir asi hasta el final de carrera"_t, to(race_to_finish)},
    {"b->abandonar el monoplaza en plena marcha"_t, to(leave_car)},
};

inline constexpr Page race_to_finish_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Page leave_car_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Passage cockpit_and_race[] = {
    {cockpit, cockpit_pages, menu(cockpit_options)},
    {zombie_cabin, zombie_cabin_pages, ending},
    {back_to_seat, back_to_seat_pages, ending},
    {nose_dive, nose_dive_pages, menu(nose_dive_options)},
    {race_to_finish, race_to_finish_pages, ending},
    {leave_car, leave_car_pages, link(home_bed, raise_accident_flag)},
};

}  // namespace story::regions
