// The flight attendant of ambiguous sex, and the juice.
#pragma once

#include "story/model.hpp"

namespace story::regions {

using enum PassageId;

inline constexpr Page call_attendant_pages[] = {
    {"PENDIENTE"_t},
};
inline constexpr Option call_attendant_options[] = {
    {"m->le asignas el sexo masculino"_t, to(attendant_male)},
    {"f->le asignas el sexo femenino"_t, to(attendant_female)},
    {"h->le asignas ser hermafrodita"_t, to(attendant_mixed)},
    {"n->no le asignas ningún sexo"_t, to(attendant_mixed)},
};

inline constexpr Page attendant_mixed_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page attendant_male_pages[] = {
    {"PENDIENTE"_t},
};
inline constexpr Option attendant_male_options[] = {
    {"z->'deseo un zumo de naranja'"_t, to(juice, set_juice_colour("rojo"_t))},
    {"e->'eres un cerdo, gigolo, chapero de mierda'"_t, to(insult_reply)},
    {"q->'quiero follarte ahora mismo'"_t, to(rough_encounter)},
    {"n->no dices nada y le das un puñetazo en toda la cara con todas tus fuerzas"_t,
     to(attendant_punched)},
};

inline constexpr Page attendant_female_pages[] = {
    {"PENDIENTE"_t},
};
inline constexpr Option attendant_female_options[] = {
    {"z->'deseo un zumo de naranja'"_t, to(juice, set_juice_colour("verde"_t))},
    {"e->'eres una zorra, puta, guarra de mierda'"_t, to(insult_reply)},
    {"q->'quiero follarte ahora mismo'"_t, to(rough_encounter)},
    {"n->no dices nada y le das un puñetazo en toda la cara con todas tus fuerzas"_t,
     to(attendant_punched)},
};

inline constexpr Page juice_pages[] = {
    {"PENDIENTE\n"
     "porque es de color "_t,
     StateText::juice_colour,
     ", le vas a decir algo a quien te lo ha traido pero\n"
     "PENDIENTE"_t},
};
inline constexpr Option juice_options[] = {
    {"t->te lo bebes"_t, to(juice_drunk)},
    {"n->no te lo bebes"_t, to(juice_refused)},
};

inline constexpr Page juice_drunk_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page juice_refused_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page insult_reply_pages[] = {
    {"PENDIENTE"_t},
};

inline constexpr Page rough_encounter_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Page attendant_punched_pages[] = {
    {"PENDIENTE"_t},
    {"PENDIENTE"_t},
};

inline constexpr Passage attendant[] = {
    {call_attendant, call_attendant_pages, menu(call_attendant_options)},
    {attendant_mixed, attendant_mixed_pages, link(home_bed)},
    {attendant_male, attendant_male_pages, menu(attendant_male_options)},
    {attendant_female, attendant_female_pages, menu(attendant_female_options)},
    {juice, juice_pages, menu(juice_options)},
    {juice_drunk, juice_drunk_pages, ending},
    {juice_refused, juice_refused_pages, ending},
    {insult_reply, insult_reply_pages, link(future_city)},
    {rough_encounter, rough_encounter_pages, ending},
    {attendant_punched, attendant_punched_pages, ending},
};

}  // namespace story::regions
