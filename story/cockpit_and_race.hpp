// The empty cockpit, the dive and the Formula 1 race.
#pragma once

#include "story/model.hpp"

namespace story::regions::inline TRAMONTALIA_EDITION {

using enum PassageId;

inline constexpr Page cockpit_pages[] = {
    {"Recorres el pasillo hacia la parte delantera del avión, hasta donde los\n"
     "pasajeros tienen permitido llegar. Miras a un lado y a otro: ni una azafata a\n"
     "la vista. Aprovechas la ocasión, corres hasta la puerta de la cabina del\n"
     "piloto y, sin pensártelo dos veces, la echas abajo de una patada."_t},
    {"Dentro de la cabina no hay nadie: ni rastro de los pilotos."_t},
};
inline constexpr Option cockpit_options[] = {
    {"e->estrellar el avión"_t, to(nose_dive)},
    {"l->llamar a una azafata"_t, to(zombie_cabin)},
    {"s->salir de la cabina y volver a tu asiento"_t, to(back_to_seat)},
};

inline constexpr Page zombie_cabin_pages[] = {
    {"Sales de la cabina y llamas a gritos a una azafata. Enseguida aparece una por\n"
     "el pasillo, pero a medida que se acerca ves, horrorizado, que tiene la piel\n"
     "grisácea, los ojos en blanco y media mejilla colgando: es una zombi. Avanza\n"
     "hacia ti con los brazos estirados y la boca abierta. La esquivas de milagro y\n"
     "corres hacia el resto de los pasajeros en busca de ayuda."_t},
    {"Mala idea: todos los pasajeros se han convertido también en zombis. Antes de\n"
     "que puedas reaccionar, muerto de pánico, tienes encima a unos treinta de\n"
     "ellos, que te muerden por todas partes con verdadero apetito."_t},
    {"Al poco rato tú también eres un zombi. Y, para tu sorpresa, no se está nada\n"
     "mal: puedes vagar por donde te apetezca y atacar a quien te dé la gana, sin\n"
     "inhibiciones, sin horarios, sin facturas y sin ninguna responsabilidad. Nunca\n"
     "habías sido tan feliz. Te unes a los demás y te pones a arrastrar los pies por\n"
     "el pasillo, gimiendo satisfecho y buscando a alguien a quien morder."_t},
};

inline constexpr Page back_to_seat_pages[] = {
    {"Sales de la cabina con disimulo y vuelves a tu asiento sin que nadie se fije\n"
     "en ti. Te abrochas el cinturón, carraspeas y miras por la ventanilla, como si\n"
     "nada. ¿Qué pasará cuando todo el mundo se entere de que no hay pilotos?\n"
     "Intentas tranquilizarte pensando que a lo mejor estaban en el lavabo, pero no\n"
     "te lo acabas de creer: ¿toda la tripulación metida en el lavabo a la vez, por\n"
     "pura casualidad? Eso no se lo cree nadie, y tú menos que nadie."_t},
    {"Al cabo de una hora y media, más o menos, los auxiliares de vuelo anuncian\n"
     "por megafonía que vais a aterrizar en el aeropuerto más cercano a tu ciudad.\n"
     "Te alegras de volver a casa, aunque hay un pequeño detalle que te inquieta:\n"
     "¿quién demonios va a aterrizar el avión, si no hay nadie a los mandos?"_t},
    {"El avión desciende y aterriza de forma impecable, sin un solo bote. Te\n"
     "quedas asombrado: ¿cómo puede la tripulación entera abandonar la cabina en\n"
     "pleno vuelo y que todo salga tan bien? A tu alrededor, nadie parece extrañado."_t},
    {"Camino de la salida, al pasar por delante, ves la puerta de la cabina todavía\n"
     "tirada en el suelo, donde cayó después de tu patada, y la cabina tan vacía\n"
     "como antes, sin el menor rastro de los pilotos."_t},
};

inline constexpr Page nose_dive_pages[] = {
    {"Te sientas en el asiento del piloto y aprietas todos los botones que tienes\n"
     "a la vista, por si acaso. Luego agarras la palanca de mando y la empujas\n"
     "hacia delante hasta el tope. El avión se lanza en picado a toda velocidad,\n"
     "entre luces rojas de alarma y pitidos que llegan de todas partes, mientras\n"
     "tú notas que apenas pesas nada, como si flotaras sobre el asiento."_t},
    {"El avión choca contra el suelo con una fuerza brutal y se te nubla la vista."_t},
    {"De repente estás al volante de un monoplaza de Fórmula 1, de color rojo,\n"
     "lanzado por una recta a más de trescientos kilómetros por hora. Llevas puesto\n"
     "el casco de un conocido piloto finlandés que corre en otra escudería, cosa que\n"
     "no tiene ningún sentido, pero ahora mismo no estás para pensar en eso. Lo más\n"
     "curioso es que conduces a la perfección, como si llevaras toda la vida\n"
     "haciéndolo: frenas en el punto justo y clavas cada curva. Y no solo eso:\n"
     "según las pizarras del muro de boxes y la radio del equipo, que no para de\n"
     "felicitarte, vas el primero de la carrera, con varios segundos de ventaja."_t},
};
inline constexpr Option nose_dive_options[] = {
    {"s->seguir asi hasta el final de carrera"_t, to(race_to_finish)},
    {"b->abandonar el monoplaza en plena marcha"_t, to(leave_car)},
};

inline constexpr Page race_to_finish_pages[] = {
    {"Sigues a fondo, vuelta tras vuelta, decidido a ganar. El cansancio empieza a\n"
     "notarse en los brazos y en el cuello, pero tu conducción sigue siendo\n"
     "impecable, de una forma que no te sabrías explicar."_t},
    {"Cruzas la meta en primera posición. Al bajar del coche, todo el mundo te toma\n"
     "por un campeón finlandés que corre para una famosa escudería italiana de color\n"
     "rojo, y a tu alrededor celebran que, con este último gran premio, acabas de\n"
     "proclamarte campeón del mundo. Tú sonríes y te dejas mojar con champán."_t},
    {"Al pasar por delante de un espejo te llevas la última sorpresa: la cara que te\n"
     "devuelve la mirada es la de un famoso campeón finlandés de carreras."_t},
};

inline constexpr Page leave_car_pages[] = {
    {"Salir de un Fórmula 1 en plena marcha no es nada fácil. Primero te sueltas el\n"
     "arnés de seis puntos, hebilla a hebilla, mientras el coche sigue devorando la\n"
     "recta a toda velocidad. Luego arrancas el volante y lo tiras a la pista por\n"
     "encima del hombro, como quien se quita un estorbo de encima. Entonces levantas\n"
     "la vista y ves que se acerca una curva, y muy deprisa. Sin volante, el coche\n"
     "se va a estrellar antes de que te dé tiempo a saltar. Quizá, después de todo,\n"
     "no haya sido tan buena idea."_t},
    {"Pisas el freno, pero demasiado tarde. Sin embargo, el coche toma la curva él\n"
     "solito y sigue acelerando, aunque tienes el pie clavado en el freno. Así que\n"
     "haces lo que tenías pensado desde el principio: te pones de pie en el\n"
     "habitáculo y saltas del coche en marcha."_t},
    {"Caes sobre el asfalto y el golpe te duele muchísimo. Antes de que puedas\n"
     "levantarte, otro coche que venía por detrás te embiste de lleno."_t},
};

inline constexpr Passage cockpit_and_race[] = {
    {cockpit, "Rumbo a la cabina"_t, cockpit_pages, menu(cockpit_options)},
    {zombie_cabin, "Llamada a gritos"_t, zombie_cabin_pages, ending("Feliz entre zombis"_t)},
    {back_to_seat, "De vuelta al asiento"_t, back_to_seat_pages,
     ending("Un aterrizaje impecable"_t)},
    {nose_dive, "A los mandos"_t, nose_dive_pages, menu(nose_dive_options)},
    {race_to_finish, "Vuelta tras vuelta"_t, race_to_finish_pages,
     ending("Una cara en el espejo"_t)},
    {leave_car, "Salir en plena marcha"_t, leave_car_pages, link(home_bed, raise_accident_flag)},
};

}  // namespace story::regions::inline TRAMONTALIA_EDITION
