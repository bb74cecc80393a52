// Waking up on a full airliner.
#pragma once

#include "story/model.hpp"

namespace story::regions::inline TRAMONTALIA_EDITION {

using enum PassageId;

inline constexpr Page plane_wakeup_pages[] = {
    {"Te tumbas en la colchoneta y cierras los ojos, seguro de que todo esto es un\n"
     "sueño y de que lo más sensato es echarse a dormir dentro de él. Pero pasan\n"
     "los minutos y no hay manera: das vueltas, cuentas ovejas, cambias de postura.\n"
     "Poco a poco te vas convenciendo de que todo es real, muy real, y justo en ese\n"
     "momento, cuando ya no lo esperabas, te quedas profundamente dormido."_t},
    {"Al despertar ya no estás en la habitación circular, sino sentad@ en un\n"
     "asiento bastante cómodo. No es un autobús: hay demasiados asientos y están\n"
     "todos ocupados. Tampoco es un cine ni un teatro, porque aquí no cabe ni un\n"
     "alfiler y las rodillas te rozan el respaldo de delante. Estás en un avión."_t},
};
inline constexpr Option plane_wakeup_options[] = {
    {"l->llamar a la azafata (auxiliares de vuelo las llaman ahora)"_t, to(call_attendant)},
    {"p->preguntarle a alguien de tu alrededor donde estás"_t, to(ask_passenger)},
    {"s->saltar por encima de los asientos como un loco"_t, to(seat_rampage)},
    {"i->intentar llegar a la cabina del piloto"_t, to(cockpit)},
    {"r->ir al lavabo"_t, to(lavatory)},
};

inline constexpr Page ask_passenger_pages[] = {
    {"- Perdone, ¿sería tan amable de decirme dónde estamos?"_t},
    {"- En un avión, ¿no lo ve? Salta a la vista -te suelta de malos modos el\n"
     "hombre que tienes a tu derecha, sin apartar los ojos del periódico.\n"
     "- Ya, pero ¿dónde está este avión? ¿Y adónde va?\n"
     "Nadie te contesta. El hombre de tu derecha ya no te hace ni caso, y los demás\n"
     "pasajeros tampoco: ni la señora de delante, ni el niño que juega en el\n"
     "pasillo, ni nadie. Les hablas, les chasqueas los dedos, agitas las manos ante\n"
     "sus narices, pero es como si no existieras. Entonces bajas la mirada y\n"
     "descubres, horrorizado, que tus pies no tocan el suelo: flotas a un palmo de\n"
     "la moqueta, convertido en una especie de fantasma."_t},
    {"Quizá te hayas muerto; quién sabe, nadie se va a molestar en explicártelo.\n"
     "Lo que sí es seguro es que te quedas encerrado en este avión por toda la\n"
     "eternidad, porque, por lo visto, nunca llega a su destino."_t},
};

inline constexpr Page seat_rampage_pages[] = {
    {"Te subes de un brinco al asiento y empiezas a saltar como un loco de respaldo\n"
     "en respaldo, por encima de los asientos y de las cabezas de los pasajeros,\n"
     "que se agachan entre gritos, bandejas volcadas y vasos de café por los aires.\n"
     "No llegas muy lejos: varios auxiliares de vuelo te reducen entre todos, te\n"
     "llevan en silencio hasta una de las puertas del avión y la abren."_t},
    {"Sorprendentemente, la cabina no se despresuriza al abrir la puerta: no entra\n"
     "ni un soplo de aire y ni siquiera se mueven las cortinillas. Los auxiliares\n"
     "te arrojan fuera sin contemplaciones y vuelven a cerrar. Expulsado del avión\n"
     "como un equipaje que sobra, empiezas a caer."_t},
};

inline constexpr Page lavatory_pages[] = {
    {"Te levantas y vas hasta el lavabo, al fondo del pasillo. Como era de esperar,\n"
     "está ocupado, así que aguardas tu turno junto a la puerta, balanceándote con\n"
     "las turbulencias. Por fin se enciende la lucecita verde, entras y echas el\n"
     "pestillo. De repente, del váter sale un ruido atronador, como una cascada,\n"
     "aunque tú todavía no has apretado el botón de la cisterna."_t},
    {"Notas una corriente de aire y te das cuenta de que el agujero del váter te\n"
     "está aspirando. Te agarras al lavamanos, pero la succión es cada vez más\n"
     "fuerte, hasta que ya no puedes resistir y el váter te engulle entero, sin que\n"
     "llegues a entender cómo has podido caber por un agujero tan diminuto."_t},
    {"Esperas salir disparado al vacío, en pleno cielo, fuera del avión. Pero no:\n"
     "en lugar de eso estás dentro del agua y te hundes cada vez más hondo, hacia\n"
     "un fondo que no alcanzas a ver. Y lo más curioso es que respiras con toda\n"
     "normalidad, como si el agua fuera aire."_t},
};

inline constexpr Passage airliner[] = {
    {plane_wakeup, "Contar ovejas"_t, plane_wakeup_pages, menu(plane_wakeup_options)},
    {ask_passenger, "El vecino de asiento"_t, ask_passenger_pages,
     ending("Un vuelo sin destino"_t)},
    {seat_rampage, "De respaldo en respaldo"_t, seat_rampage_pages, link(home_bed)},
    {lavatory, "Al fondo del pasillo"_t, lavatory_pages, link(deep_sinking)},
};

}  // namespace story::regions::inline TRAMONTALIA_EDITION
