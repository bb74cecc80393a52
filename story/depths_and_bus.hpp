// Sinking through the deep water and the mud, and the city bus.
#pragma once

#include "story/model.hpp"

namespace story::regions::inline TRAMONTALIA_EDITION {

using enum PassageId;

inline constexpr Page deep_sinking_pages[] = {
    {"Sigues hundiéndote. Llevas ya unos cuantos minutos bajando por un agua en la\n"
     "que no hay el menor rastro de vida: ni algas, ni medusas, ni siquiera un pez\n"
     "despistado que te mire con cara de sorpresa. Cada vez llega menos luz hasta\n"
     "esta profundidad, y debajo de ti todo es oscuridad."_t},
    {"De pronto tus pies tocan algo que no acaba de ser sólido: una masa blanda,\n"
     "como de barro, en la que te vas hundiendo sin remedio. Ya te llega por la\n"
     "cintura y, a este ritmo, dentro de nada te habrá tragado por completo."_t},
    {"Ya estás completamente enterrad@ en el barro, a oscuras del todo, y aun así\n"
     "sigues respirando como si nada, igual que si el lodo fuera aire algo espeso.\n"
     "El barro te produce en la piel un hormigueo curioso, casi agradable, como\n"
     "de gaseosa, y mientras tanto continúas bajando, despacio pero sin parar."_t},
    {"Al cabo de lo que deben de ser horas de hundirte en el barro, cuando ya estás\n"
     "aburrido de tanto bajar y lo único que quieres es llegar a alguna parte, a\n"
     "la que sea, tus pies tocan por fin algo sólido de verdad: un suelo de roca,\n"
     "irregular, pero por el que se camina sin ninguna dificultad. Das unos pasos\n"
     "para comprobar que no lo estás soñando. Todo sigue a oscuras."_t},
    {"Entonces el barro empieza a agitarse a tu alrededor, a removerse y a dar\n"
     "vueltas como una sopa espesa que alguien revolviera con un cucharón enorme,\n"
     "y te arranca del suelo de roca sin que puedas hacer nada por evitarlo.\n"
     "Vuelves a hundirte, cada vez más deprisa, hasta que de repente sales por la\n"
     "parte de abajo del barro como quien atraviesa una nube. A tus pies se abre\n"
     "un cielo de color amarillo pálido y, allá abajo, una ciudad que no has visto\n"
     "en tu vida. Y hacia ella vas cayendo, sin nada a lo que agarrarte."_t},
    {"Ya estás cerca del suelo y caes entre los edificios de la ciudad. Al pasar\n"
     "junto a las ventanas ves a la gente en sus cosas: empleados en sus oficinas,\n"
     "amas de casa, unos haciendo las tareas y otros viendo la televisión. Nadie\n"
     "levanta la vista para ver caer a alguien del cielo."_t},
    {"Cuando estás a punto de estamparte contra la calzada pasa un autobús urbano,\n"
     "y atraviesas su techo como un fantasma hasta caer sentado en uno de los\n"
     "asientos. Los pocos pasajeros que viajan en él, cada cual absorto en sus\n"
     "propios pensamientos, no se dan cuenta de nada."_t},
};
inline constexpr Option deep_sinking_options[] = {
    {"b->bajar en la próxima parada"_t, to(bus_next_stop)},
    {"m->matar al conductor"_t, to(bus_driver_killed)},
    {"d->darle un beso en toda la boca a un/a chic@ muy atractiv@ que está sentad@"_t,
     "   no muy lejos de ti"_t, to(bus_kiss)},
    {"r->romper el cristal y tirate por la ventana"_t, to(bus_window)},
};

inline constexpr Page bus_next_stop_pages[] = {
    {"Te bajas en la próxima parada y descubres, con bastante asombro, que es una\n"
     "parada cercana a tu casa, en tu propia ciudad, aunque desde dentro del\n"
     "autobús te había parecido una ciudad completamente desconocida."_t},
};

inline constexpr Page bus_driver_killed_pages[] = {
    {"Como si algún ser superior te hubiera oído, de pronto notas un peso en la\n"
     "mano derecha: estás empuñando un sable de acero, grande y muy afilado. Sin\n"
     "pensártelo dos veces, corres por el pasillo hasta la parte delantera del\n"
     "autobús y, de un solo tajo, rápido y limpio, acabas con el conductor. El\n"
     "autobús sigue su marcha como si tal cosa."_t},
    {"Al darte la vuelta te encuentras cara a cara con aquella persona tan\n"
     "atractiva a la que podrías haber besado, que ahora te apunta con una\n"
     "pistola. No te da tiempo ni a soltar el sable: dispara, y caes muerto en el\n"
     "pasillo un instante antes de que el autobús, sin nadie al volante, se\n"
     "empotre contra un escaparate con gran estruendo. Está claro que el\n"
     "conductor no es el único muerto que viaja a bordo."_t},
};

inline constexpr Page bus_kiss_pages[] = {
    {"Te levantas, te acercas con paso decidido a esa persona tan atractiva y, sin\n"
     "mediar palabra, le das un beso en toda la boca. Durante unos segundos no\n"
     "pasa nada: se queda inmóvil, con los ojos muy abiertos, y tú empiezas a\n"
     "pensar que quizá no ha sido tan buena idea. Pero entonces te devuelve el\n"
     "beso, y es un beso bastante más largo que el tuyo, de esos que hacen que el\n"
     "resto del autobús deje de existir. Cuando por fin se separa de ti, te mira\n"
     "de arriba abajo, toma impulso y te suelta una bofetada tan fuerte que te\n"
     "hace girar la cabeza de golpe y resuena en todo el autobús."_t},
    {"En ese mismo instante desapareces del autobús y te encuentras otra vez en\n"
     "tu casa, sentado delante del ordenador, justo donde empezó todo. Parece que\n"
     "lo has soñado, así que te levantas y vas al cuarto de baño a echarte un\n"
     "poco de agua en la cara. Pero el espejo te enseña una marca roja en la\n"
     "mejilla, exactamente en el sitio donde aterrizó la bofetada, y la piel\n"
     "todavía te escuece como si acabaran de dártela."_t},
};

inline constexpr Page bus_window_pages[] = {
    {"Rompes el cristal de un codazo y te tiras por la ventana. En pleno salto\n"
     "te das cuenta de que llevas puesto un casco, aunque no sabes desde cuándo.\n"
     "Al caer descubres que la calle no es en realidad una calle, sino un\n"
     "circuito de carreras, y antes de que puedas apartarte, un coche de Fórmula 1\n"
     "que viene lanzado a toda velocidad te embiste de frente. Lo último que\n"
     "oyes es el rugido de su motor, que se te echa encima."_t},
};

inline constexpr Passage depths_and_bus[] = {
    {deep_sinking, "Hacia el fondo"_t, deep_sinking_pages, menu(deep_sinking_options)},
    {bus_next_stop, "La próxima parada"_t, bus_next_stop_pages, ending("Una parada conocida"_t)},
    {bus_driver_killed, "Contra el conductor"_t, bus_driver_killed_pages,
     ending("Un muerto más a bordo"_t)},
    {bus_kiss, "Un beso en toda la boca"_t, bus_kiss_pages, ending("La marca en la mejilla"_t)},
    {bus_window, "Por la ventana"_t, bus_window_pages, link(home_bed, raise_accident_flag)},
};

}  // namespace story::regions::inline TRAMONTALIA_EDITION
