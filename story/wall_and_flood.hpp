// The dark opening in the wall, the desert and the flood.
#pragma once

#include "story/model.hpp"

namespace story::regions::inline TRAMONTALIA_EDITION {

using enum PassageId;

inline constexpr Page wall_opening_pages[] = {
    {"Recorres la pared entera, dando la vuelta completa a la habitación, palpando\n"
     "cada palmo en busca de una salida oculta: un resorte, una rendija, un botón\n"
     "disimulado, lo que sea. Nada. Al cabo de un buen rato te das por vencid@ y\n"
     "te tumbas en la colchoneta, agotad@ y de bastante mal humor. Es entonces\n"
     "cuando ves que una parte de la pared ha desaparecido, dejando una abertura\n"
     "tan oscura que es imposible distinguir nada más allá de su umbral."_t},
};
inline constexpr Option wall_opening_options[] = {
    {"a->acercarte al umbral y examinar desde alli lo que hay mas alla"_t, to(threshold_approach)},
    {"e->entrar directamente por la abertura"_t, to(desert)},
    {"n->no acercarte hacia la abertura"_t, to(opening_refused)},
};

inline constexpr Page threshold_approach_pages[] = {
    {"Te acercas al umbral con muchísima cautela, un pasito detrás de otro, y te\n"
     "asomas. No ves nada de nada: la oscuridad es total, tan espesa que se podría\n"
     "cortar con un cuchillo. Antes de que decidas si seguir mirando o retroceder,\n"
     "una fuerza misteriosa tira de ti de golpe y te arrastra al otro lado."_t},
};

inline constexpr Page desert_pages[] = {
    {"Al otro lado del umbral hay luz, muchísima luz, y un desierto que se extiende\n"
     "hasta donde alcanza la vista. Te das la vuelta, pero el umbral se ha\n"
     "esfumado: detrás de ti no queda más que arena. Al poco empiezan a caer unas\n"
     "gotas gordas y tibias, y en cuestión de minutos cae sobre el desierto una\n"
     "lluvia torrencial, como si el cielo llevara siglos ahorrando para este día."_t},
};

inline constexpr Page flood_pages[] = {
    {"Llueve tanto que el agua no tiene adónde ir: se acumula a tus pies, te llega\n"
     "a las rodillas, a la cintura, al pecho, y sigue subiendo a toda velocidad.\n"
     "Enseguida tienes que ponerte a nadar para no ahogarte, y aun así a duras\n"
     "penas consigues mantener la cabeza fuera del agua. Todo ha ocurrido tan\n"
     "deprisa que no has tenido tiempo ni de reaccionar.\n"
     "¿Qué vas a hacer ahora?"_t},
};
inline constexpr Option flood_options[] = {
    {"n->nadar hacia una montaña que acabas de divisar"_t, to(swim_to_island)},
    {"q->quedarte quiet@ esperando que deje de llover"_t, to(float_and_drown)},
};

inline constexpr Page swim_to_island_pages[] = {
    {"Nadas hacia la montaña a una velocidad increíble, como si te hubieran puesto\n"
     "un motor fueraborda, y en poco tiempo llegas a su falda. En ese mismo momento\n"
     "deja de llover y sale el sol, radiante, como si aquí no hubiera pasado nada.\n"
     "La montaña se alza en una de esas islas a las que siempre van a parar los\n"
     "náufragos: arena blanca, cuatro palmeras y ni una vela en el horizonte. Y así\n"
     "te toca llevar vida de náufrago sin haber naufragado nunca."_t},
};

inline constexpr Page float_and_drown_pages[] = {
    {"Te quedas quieto, moviendo brazos y piernas lo justo para mantenerte a\n"
     "flote, pero la lluvia, lejos de amainar, cae cada vez con más fuerza. Al\n"
     "mirar hacia arriba descubres que el cielo no es un cielo sino un techo, y que\n"
     "se acerca a medida que sube el agua. Al final no queda sitio ni para tu\n"
     "cabeza, y mueres ahogado, con la nariz pegada al techo."_t},
};

inline constexpr Page opening_refused_pages[] = {
    {"No te fías ni un pelo de esa abertura tan oscura, así que te mantienes a\n"
     "distancia, y se cierra tan deprisa como se había abierto. Acto seguido la\n"
     "habitación se queda a oscuras; oyes unos silbidos lejanos y unos pasos más\n"
     "cercanos, y no te atreves ni a respirar. Cuando por fin vuelve la luz, ya no\n"
     "estás en la habitación circular: estás en otro sitio."_t},
};

inline constexpr Passage wall_and_flood[] = {
    {wall_opening, "Palmo a palmo"_t, wall_opening_pages, menu(wall_opening_options)},
    {threshold_approach, "Junto al umbral"_t, threshold_approach_pages, link(desert)},
    {desert, "Al otro lado"_t, desert_pages, link(flood)},
    {flood, "Bajo la lluvia"_t, flood_pages, menu(flood_options)},
    {swim_to_island, "Hacia la montaña"_t, swim_to_island_pages, ending("Cuatro palmeras"_t)},
    {float_and_drown, "Mantenerse a flote"_t, float_and_drown_pages,
     ending("La nariz contra el techo"_t)},
    {opening_refused, "A prudente distancia"_t, opening_refused_pages, link(future_city)},
};

}  // namespace story::regions::inline TRAMONTALIA_EDITION
