// Waking up on a full airliner.
#pragma once

#include "story/model.hpp"

namespace story::regions {

using enum PassageId;

inline constexpr Page plane_wakeup_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};
inline constexpr Option plane_wakeup_options[] = {
    {"l->llamar a la azafata (auxiliares de vuelo las llaman ahora)"_t, to(call_attendant)},
    {"p->preguntarle a alguien de tu alrededor donde estás"_t, to(ask_passenger)},
    {"s->saltar por encima de los asientos como un loco"_t, to(seat_rampage)},
    {"i->intentar llegar a la cabina del piloto"_t, to(cockpit)},
    {"r->ir al lavabo"_t, to(lavatory)},
};

inline constexpr Page ask_passenger_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Page seat_rampage_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Page lavatory_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Passage airliner[] = {
    {plane_wakeup, plane_wakeup_pages, menu(plane_wakeup_options)},
    {ask_passenger, ask_passenger_pages, ending},
    {seat_rampage, seat_rampage_pages, link(home_bed)},
    {lavatory, lavatory_pages, link(deep_sinking)},
};

}  // namespace story::regions
