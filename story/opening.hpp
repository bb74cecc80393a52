// At home at the computer, and then in the closed circular room: the first
// choice of the game.
#pragma once

#include "story/model.hpp"

namespace story::regions::inline TRAMONTALIA_EDITION {

using enum PassageId;

inline constexpr Page circular_room_pages[] = {
    {"Estás en casa, jugando tranquilamente a tu juego de ordenador favorito."_t},
    {"De repente, la imagen del monitor empieza a parpadear. Lo miras extrañado y\n"
     "algo molesto: la tarjeta gráfica aceleradora falla de vez en cuando, pero\n"
     "esto no te había pasado nunca."_t},
    {"Está claro que la partida que llevabas se ha ido al garete."_t},
    {"Sin saber cómo, ya no estás en casa, sino en una habitación circular de\n"
     "paredes blancas y lisas, de unos cuatro metros de diámetro. Casi todo el\n"
     "suelo lo ocupa una colchoneta, también circular, sobre la que estás sentad@\n"
     "con las piernas estiradas. No hay muebles, ni cuadros, ni lámparas: solo la\n"
     "blancura uniforme de las paredes, que parece brillar con luz propia.\n"
     "Respiras hondo e intentas poner en orden tus ideas."_t},
};

inline constexpr Page idle_in_room{
    "No haces absolutamente nada y, como era de esperar, no pasa absolutamente\n"
    "nada. Sigues en la habitación circular, sentad@ sobre la colchoneta, y\n"
    "todavía no sabes qué vas a hacer."_t};

inline constexpr Option circular_room_options[] = {
    {"a->acostarte e intentar dormir"_t, to(plane_wakeup)},
    {"d->dar saltos sobre la colchoneta"_t, to(mattress_fall)},
    {"e->examinar las paredes"_t, to(wall_opening)},
    {"n->no hacer absolutamente nada y seguir como ahora"_t, aside(idle_in_room)},
};

inline constexpr Passage opening[] = {
    {circular_room, "La habitación circular"_t, circular_room_pages,
     menu(circular_room_options,
          {.lead = "Por lo que parece, la habitación no tiene ninguna salida."_t,
           .header = " Opciones: "_t,
           .footer = "salir->salir del juego (disponible en todas las listas de opciones)"_t})},
};

}  // namespace story::regions::inline TRAMONTALIA_EDITION
