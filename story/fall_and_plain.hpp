// The fall through the floor and the endless white plain under a red sky.
#pragma once

#include "story/model.hpp"

namespace story::regions::inline TRAMONTALIA_EDITION {

using enum PassageId;

inline constexpr Page mattress_fall_pages[] = {
    {"Te pones a dar saltos sobre la colchoneta como un bobo, cada vez más alto.\n"
     "A los pocos saltos, la colchoneta se hunde de golpe y te arrastra con ella."_t},
    {"La colchoneta cae a plomo contigo encima, tumbad@ boca abajo y agarrad@ a\n"
     "sus bordes con uñas y dientes. La aceleración es tal que todo te da vueltas.\n"
     "Está tan oscuro que no ves ni tus propias manos, así que es solo por el\n"
     "tacto como descubres algo inquietante: la colchoneta ya no es blanda. Se ha\n"
     "convertido en un tablón de madera durísimo y pesadísimo."_t},
    {"Sigues aferrado al tablón mientras este da vueltas de campana en todas las\n"
     "direcciones: hacia delante, hacia atrás, de lado y en otras que ni sabías\n"
     "que existían. El mareo se convierte en náuseas, y las náuseas, como era de\n"
     "esperar, en vómito. Por suerte, justo entonces el tablón se estabiliza y no\n"
     "acabas ahogándote en tu propia vomitona."_t},
    {"Poco a poco, el tablón va perdiendo velocidad. A tu alrededor empieza a\n"
     "clarear, como en un amanecer, aunque no hay sol por ninguna parte: solo un\n"
     "cielo de un rojo claro que lo tiñe todo. Con esa luz descubres por fin a\n"
     "qué te estás agarrando: es una puerta de madera lisa, con su pomo y todo.\n"
     "Muy por debajo de ti se extiende un suelo blanco, tan liso como la puerta.\n"
     "Ahora bajáis con suavidad, como si la puerta llevara paracaídas, y tú, más\n"
     "confiado de la cuenta, te sueltas sin querer. Pero no pasa nada: sigues\n"
     "cayendo de pie, bien derecho, a la misma velocidad que la puerta."_t},
    {"Aterrizas con suavidad, de pie, como quien baja el último peldaño de una\n"
     "escalera. La puerta cae a tu lado y se incrusta sola en el suelo, ahora con\n"
     "su marco y sus bisagras. Miras en todas direcciones y no ves nada, salvo un\n"
     "horizonte que separa el suelo blanco del cielo rojo."_t},
};
inline constexpr Option mattress_fall_options[] = {
    {"a->abrir la puerta"_t, to(door_hatch)},
    {"c->correr hacia cualquier dirección"_t, to(run_plain)},
};

inline constexpr Page door_hatch_pages[] = {
    {"Agarras el pomo y tiras. Como está tumbada en el suelo, la puerta se abre\n"
     "hacia arriba, igual que una trampilla. Te asomas al hueco y, muy, muy abajo,\n"
     "ves lo que parece agua: una extensión inmensa, sin orillas a la vista, como\n"
     "un mar. Desde el fondo sube un viento helado que te despeina y te pone la\n"
     "piel de gallina."_t},
};
inline constexpr Option door_hatch_options[] = {
    {"l->lanzarte al mar a través de la apertura de la puerta"_t, to(sea_plunge)},
    {"n->no lanzarte y permanecer donde estás"_t, to(hatch_refused)},
};

inline constexpr Page sea_plunge_pages[] = {
    {"Te lanzas por la trampilla y caes a toda velocidad, hasta chocar con el agua\n"
     "de un tremendo panzazo que, curiosamente, no te duele nada. Te hundes, y te\n"
     "sigues hundiendo cada vez más, sin poder parar. Ya te das por ahogado, pero\n"
     "no: respiras perfectamente, como un pez con sus branquias. Quién lo diría."_t},
};

inline constexpr Page hatch_refused_pages[] = {
    {"Echas otro vistazo al abismo y decides que no, que no te atreves a saltar.\n"
     "La puerta, como si se hubiera ofendido, se cierra sola de un portazo. Al\n"
     "momento empieza a llover, y no una lluvia cualquiera: es un aguacero más\n"
     "fuerte que cualquiera de los que has visto en tu vida. Lo raro es que en el\n"
     "cielo rojizo no hay ni una sola nube."_t},
};

inline constexpr Page run_plain_pages[] = {
    {"Echas a correr en una dirección cualquiera, sin saber muy bien hacia dónde\n"
     "ni para qué. Al cabo de un buen rato sigues sin ver nada más que un\n"
     "horizonte en medio de ninguna parte."_t},
};
inline constexpr Option run_plain_options[] = {
    {"i->intentar volver a la puerta"_t, to(door_search)},
    {"s->seguir corriendo"_t, to(keep_running)},
    {"q->quedarte donde estas"_t, to(stand_still)},
};

inline constexpr Page door_search_pages[] = {
    {"Das media vuelta y vuelves sobre tus pasos en busca de la puerta. Caminas\n"
     "y caminas, pero no hay ni rastro de ella. En medio de la nada, sin un árbol\n"
     "ni una piedra que te sirvan de referencia, no tienes ni idea de lo lejos\n"
     "que está, ni de en qué dirección ha quedado. Ni siquiera puedes descartar\n"
     "que, sencillamente, se haya esfumado en cuanto le diste la espalda. Estás\n"
     "perdido, y bien perdido."_t},
    {"No encuentras la puerta, ni hoy ni nunca. Pasarás el resto de tu vida en\n"
     "esta nada: un suelo blanco bajo un cielo que, entretanto, se ha vuelto\n"
     "negro. Y como por lo visto aquí se puede sobrevivir sin comer ni beber, el\n"
     "resto de tu vida va a ser bastante largo: toda la eternidad, para ser\n"
     "exactos. Al menos ya no tendrás que preocuparte por la tarjeta gráfica."_t},
};

inline constexpr Page keep_running_pages[] = {
    {"Sigues corriendo sin rumbo, y cuanto más corres, menos encuentras. Con el\n"
     "tiempo llegan la sed, después el hambre y, por último, el frío. El suelo se\n"
     "ha vuelto azul marino, y el cielo, de un rojo cada vez más áspero, parece\n"
     "mirarte con mala cara. No hace falta ser médico para saber que te quedan\n"
     "unas horas de vida, unos pocos días a lo sumo."_t},
};

inline constexpr Page stand_still_pages[] = {
    {"Te quedas quieto para descansar y recuperar el aliento, pero el aliento no\n"
     "vuelve. Sigues respirando y, sin embargo, te asfixias: el aire entra y sale\n"
     "sin servirte de nada. El oxígeno debe de haber bajado del 15%, y quizá ya\n"
     "ni siquiera quede. Buscas unas últimas palabras a la altura de la ocasión,\n"
     "pero no te da tiempo: en cosa de un minuto, más o menos, estás muerto."_t},
};

inline constexpr Passage fall_and_plain[] = {
    {mattress_fall, "Saltos en la colchoneta"_t, mattress_fall_pages, menu(mattress_fall_options)},
    {door_hatch, "La puerta en el suelo"_t, door_hatch_pages, menu(door_hatch_options)},
    {sea_plunge, "Por la trampilla"_t, sea_plunge_pages, link(deep_sinking)},
    {hatch_refused, "Al borde del abismo"_t, hatch_refused_pages, link(flood)},
    {run_plain, "Una dirección cualquiera"_t, run_plain_pages, menu(run_plain_options)},
    {door_search, "Sobre tus pasos"_t, door_search_pages, ending("Una eternidad en la nada"_t)},
    {keep_running, "Sin parar de correr"_t, keep_running_pages, ending("Bajo un cielo áspero"_t)},
    {stand_still, "Un respiro"_t, stand_still_pages, ending("Sin últimas palabras"_t)},
};

}  // namespace story::regions::inline TRAMONTALIA_EDITION
