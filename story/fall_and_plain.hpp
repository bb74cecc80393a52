// The fall through the floor and the endless white plain under a red sky.
#pragma once

#include "story/model.hpp"

namespace story::regions {

using enum PassageId;

inline constexpr Page mattress_fall_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};
inline constexpr Option mattress_fall_options[] = {
    {"a->abrir la puerta"_t, to(door_hatch)},
    {"c->correr hacia cualquier dirección"_t, to(run_plain)},
};

inline constexpr Page door_hatch_pages[] = {
    {"PENDIENTE"_t},
};
inline constexpr Option door_hatch_options[] = {
    {"l->lanzarte al mar a través de la apertura de la puerta"_t, to(sea_plunge)},
    {"n->no lanzarte y permanecer donde estás"_t, to(hatch_refused)},
};

inline constexpr Page sea_plunge_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page hatch_refused_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page run_plain_pages[] = {
    {"PENDIENTE"_t},
};
inline constexpr Option run_plain_options[] = {
    {"i->intentar volver a la puerta"_t, to(door_search)},
    {"s->seguir corriendo"_t, to(keep_running)},
    {"q->quedarte donde estas"_t, to(stand_still)},
};

inline constexpr Page door_search_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Page keep_running_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page stand_still_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Passage fall_and_plain[] = {
    {mattress_fall, mattress_fall_pages, menu(mattress_fall_options)},
    {door_hatch, door_hatch_pages, menu(door_hatch_options)},
    {sea_plunge, sea_plunge_pages, link(deep_sinking)},
    {hatch_refused, hatch_refused_pages, link(flood)},
    {run_plain, run_plain_pages, menu(run_plain_options)},
    {door_search, door_search_pages, ending},
    {keep_running, keep_running_pages, ending},
    {stand_still, stand_still_pages, ending},
};

}  // namespace story::regions
