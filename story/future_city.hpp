// The futuristic city of metal solids, and the arrest.
#pragma once

#include "story/model.hpp"

namespace story::regions::inline TRAMONTALIA_EDITION {

using enum PassageId;

inline constexpr Page future_city_pages[] = {
    {"Ahora estás en una especie de ciudad cuyos edificios son simples cuerpos\n"
     "geométricos: prismas, esferas, pirámides y algunos cilindros y conos, todos\n"
     "de superficie metálica, que relucen bajo la luz de una estrella que hace las\n"
     "veces de sol, aunque alumbra bastante menos que el de verdad."_t},
    {"Hace calor, y la gente viste ropas escasas y transparentes que apenas\n"
     "ocultan unos cuerpos más bien poco agraciados. Todo el mundo va a pie,\n"
     "mientras el cielo está lleno de cientos, quizá miles, de lo que parecen\n"
     "vehículos aéreos, que zumban de acá para allá como abejorros de chapa."_t},
    {"Hay muchísima gente a tu alrededor, pero nadie te presta la menor atención,\n"
     "aunque vas vestido de una forma completamente distinta a la de todos ellos."_t},
};
inline constexpr Option future_city_options[] = {
    {"p->ponerte a manosear los genitales de la gente"_t, to(city_groping)},
    {"e->empezar a dar hostias a la gente"_t, to(city_beating)},
    {"q->qudarte quieto donde estás observando qué pasa"_t, to(city_watching)},
};

inline constexpr Page city_groping_pages[] = {
    {"Te pones a manosear a los transeúntes, sobre todo a los del sexo que más te\n"
     "gusta, pero nadie reacciona ni se da por aludido: siguen andando como si tal\n"
     "cosa, como si fueras una corriente de aire. Resulta tan poco gratificante\n"
     "que a los pocos minutos lo dejas."_t},
};

inline constexpr Page city_beating_pages[] = {
    {"Empiezas a repartir hostias a diestro y siniestro, con todas tus fuerzas.\n"
     "La gente cae al suelo, se levanta, se sacude la ropa (lo poco que hay que\n"
     "sacudir) y sigue su camino sin defenderse ni devolverte un solo golpe. Ni\n"
     "siquiera los que sangran por la nariz o por la boca parecen ofendidos: se\n"
     "limpian, o ni eso, y continúan andando al mismo paso de antes. Al cabo de\n"
     "una media hora tienes los nudillos en carne viva y la sensación de estar\n"
     "perdiendo el tiempo: aquello es de un aburrimiento absoluto."_t},
};

inline constexpr Page city_watching_pages[] = {
    {"Te quedas quieto y observas. Todo el mundo camina con la cara inexpresiva y\n"
     "al mismo paso, sin acelerar ni frenar nunca, y los vehículos aéreos circulan\n"
     "por carriles invisibles, sin salirse ni un palmo. Un orden tan reglamentado,\n"
     "tan perfecto y tan monótono no tarda en sacarte de quicio."_t},
};

inline constexpr Page city_arrest_pages[] = {
    {"No sabes cómo, pero has ido a parar a una civilización futurista en la que\n"
     "todo el mundo es políticamente correcto y que resulta aburridísima, y no ves\n"
     "la manera de salir de aquí."_t},
    {"De pronto, dos hombres te agarran por los brazos y te llevan a un edificio.\n"
     "Visten ropa corriente, como todo el mundo, pero llevan prendida en ella una\n"
     "pequeña insignia que los identifica como algún tipo de policía. Te encierran\n"
     "en un cuartito oscuro y, al cabo de un rato que se te hace eterno, pierdes\n"
     "el conocimiento."_t},
    {"Por lo visto, has infringido varias leyes de esta civilización: la pena se\n"
     "ha ejecutado sin juicio previo, y hasta tu cuerpo ha sido desintegrado."_t},
};

inline constexpr Passage future_city_region[] = {
    {future_city, "En otro sitio"_t, future_city_pages, menu(future_city_options)},
    {city_groping, "Manos largas"_t, city_groping_pages, link(city_arrest)},
    {city_beating, "A diestro y siniestro"_t, city_beating_pages, link(city_arrest)},
    {city_watching, "Observar qué pasa"_t, city_watching_pages, link(city_arrest)},
    {city_arrest, "Una civilización correcta"_t, city_arrest_pages, ending("Sin juicio previo"_t)},
};

}  // namespace story::regions::inline TRAMONTALIA_EDITION
