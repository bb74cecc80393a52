// The flight attendant of ambiguous sex, and the juice.
#pragma once

#include "story/model.hpp"

namespace story::regions::inline TRAMONTALIA_EDITION {

using enum PassageId;

inline constexpr Page call_attendant_pages[] = {
    {"Buscas sobre tu cabeza el botón de llamada, el que lleva dibujada una\n"
     "figurita con gorra, y lo pulsas. Suena un ding discreto y, al cabo de un\n"
     "momento, aparece por el pasillo alguien con el uniforme de la tripulación y\n"
     "de un sexo tan ambiguo que nadie en su sano juicio apostaría ni por lo uno ni\n"
     "por lo otro: ni la cara, ni el pelo, ni la manera de andar dan la menor pista.\n"
     "Antes de que llegue a abrir la boca, notas dentro de ti un poder extraño y\n"
     "absoluto: puedes asignarle un sexo con solo desearlo."_t},
};
inline constexpr Option call_attendant_options[] = {
    {"m->le asignas el sexo masculino"_t, to(attendant_male)},
    {"f->le asignas el sexo femenino"_t, to(attendant_female)},
    {"h->le asignas ser hermafrodita"_t, to(attendant_mixed)},
    {"n->no le asignas ningún sexo"_t, to(attendant_mixed)},
};

inline constexpr Page attendant_mixed_pages[] = {
    {"Ahora tiene cara de hombre y melena de mujer, y su cuerpo muestra a la vez\n"
     "los atributos de un hombre y los de una mujer. Horrorizado ante tal visión,\n"
     "sales despedido de tu asiento y huyes por el pasillo sin mirar atrás."_t},
};

// The twin attendants are offered the same replies but for the insult; the
// juice takes the colour of the attendant's sex.
inline constexpr Option proposition{"q->'quiero follarte ahora mismo'"_t, to(rough_encounter)};
inline constexpr Option punch{
    "n->no dices nada y le das un puñetazo en toda la cara con todas tus fuerzas"_t,
    to(attendant_punched)};

inline constexpr Page attendant_male_pages[] = {
    {"Por tu sola voluntad, y en una fracción de segundo, la criatura ambigua se\n"
     "transforma en un hombre fuerte, de espaldas anchas y mandíbula de granito, tan\n"
     "atractivo que media cabina se queda mirándolo. Con una voz de tenor que hace\n"
     "vibrar las ventanillas de punta a punta del avión, te pregunta:\n"
     "- ¿Qué desea, señor(a)? -y tú le respondes:"_t},
};
inline constexpr Option attendant_male_options[] = {
    {"z->'deseo un zumo de naranja'"_t, to(juice, set_juice_colour("rojo"_t))},
    {"e->'eres un cerdo, gigolo, chapero de mierda'"_t, to(insult_reply)},
    proposition,
    punch,
};

inline constexpr Page attendant_female_pages[] = {
    {"Por tu sola voluntad, y en una fracción de segundo, la criatura ambigua se\n"
     "transforma en una mujer femenina hasta la punta de las pestañas, de un\n"
     "atractivo tan poderoso que media cabina contiene el aliento. Se inclina hacia\n"
     "ti y, con una dulce voz de soprano que suena más a aria que a pregunta, dice:\n"
     "- ¿Qué desea, señor(a)?"_t},
};
inline constexpr Option attendant_female_options[] = {
    {"z->'deseo un zumo de naranja'"_t, to(juice, set_juice_colour("verde"_t))},
    {"e->'eres una zorra, puta, guarra de mierda'"_t, to(insult_reply)},
    proposition,
    punch,
};

inline constexpr Page juice_pages[] = {
    {"Al cabo de un minuto o dos te traen un zumo que no puede ser de naranja,\n"
     "porque es de color "_t,
     StateText::juice_colour,
     ", le vas a decir algo a quien te lo ha traido pero\n"
     "cuando levantas la vista ya no hay nadie junto a tu asiento."_t},
};
inline constexpr Option juice_options[] = {
    {"t->te lo bebes"_t, to(juice_drunk)},
    {"n->no te lo bebes"_t, to(juice_refused)},
};

inline constexpr Page juice_drunk_pages[] = {
    {"Te lo bebes de un trago. Sea lo que sea, seguro que no es zumo de naranja,\n"
     "pero su sabor es tan extraño y te gusta tanto que enseguida pulsas el botón\n"
     "para pedir otro, y luego otro, y otro más. Como el avión no aterriza nunca,\n"
     "te pasas la eternidad pidiendo zumos de un color que no es el de la naranja,\n"
     "y quizá así seas feliz."_t},
};

inline constexpr Page juice_refused_pages[] = {
    {"Dejas el vaso en la bandeja sin probarlo. Al instante empiezas a sentirte\n"
     "ligero, cada vez más ligero, hasta que te despegas del asiento y subes hacia\n"
     "el techo. Lo atraviesas como si fuera humo, atraviesas también el fuselaje y\n"
     "sales al cielo abierto, entre las nubes, donde sigues respirando con toda\n"
     "normalidad pese a la altura. Eres libre: puedes volar adonde te apetezca, y\n"
     "el avión se aleja sin ti, cada vez más pequeño."_t},
};

inline constexpr Page insult_reply_pages[] = {
    {"- ¿Y qué? -te contesta sin inmutarse, y se aleja como si nada hubiera pasado.\n"
     "En ese momento sientes que te desvaneces, y de pronto ya no estás en el avión."_t},
};

inline constexpr Page rough_encounter_pages[] = {
    {"No hace falta que lo repitas: se abalanza sobre ti al instante, allí mismo,\n"
     "delante de todos los pasajeros. El encuentro sexual que sigue empieza como\n"
     "lo que habías pedido, pero enseguida se vuelve brutal, y sin saber bien en\n"
     "qué momento acabas sintiéndote violad@. Quieres pararlo y ya no puedes: ni tu\n"
     "fuerza ni tus súplicas sirven de nada."_t},
    {"Después, todo el mundo sigue a lo suyo como si no hubiera pasado nada, y tú\n"
     "te sientes miserable. El avión aterriza por fin en una ciudad extraña de un\n"
     "país extraño, y al mirar por la ventanilla te preguntas si esto sigue siendo\n"
     "la Tierra de finales del siglo XX."_t},
};

inline constexpr Page attendant_punched_pages[] = {
    {"Le das un puñetazo tremendo. Tu azafat@ cae de espaldas, pero se desvanece en\n"
     "el aire antes de tocar siquiera el suelo. Solo lo han visto dos o tres\n"
     "pasajeros, y disimulan como pueden, no vaya a ser que los tomen por locos."_t},
    {"Entonces te das cuenta de que tú también has desaparecido: tu conciencia, tu\n"
     "alma, sigue en el avión, pero de tu cuerpo no queda ni rastro. Quizá el alma\n"
     "de tu azafat@, que se llevó el golpe, ande también por aquí, junto a la tuya."_t},
};

inline constexpr Passage attendant[] = {
    {call_attendant, "El botón de llamada"_t, call_attendant_pages, menu(call_attendant_options)},
    {attendant_mixed, "Una criatura ambigua"_t, attendant_mixed_pages, link(home_bed)},
    {attendant_male, "El azafato"_t, attendant_male_pages, menu(attendant_male_options)},
    {attendant_female, "La azafata"_t, attendant_female_pages, menu(attendant_female_options)},
    {juice, "Un zumo de naranja"_t, juice_pages, menu(juice_options)},
    {juice_drunk, "De un trago"_t, juice_drunk_pages, ending("Zumos para la eternidad"_t)},
    {juice_refused, "El vaso en la bandeja"_t, juice_refused_pages,
     ending("Libre entre las nubes"_t)},
    {insult_reply, "Palabras gruesas"_t, insult_reply_pages, link(future_city)},
    {rough_encounter, "Una proposición directa"_t, rough_encounter_pages,
     ending("Aterrizaje amargo"_t)},
    {attendant_punched, "Un puñetazo"_t, attendant_punched_pages, ending("Dos almas a bordo"_t)},
};

}  // namespace story::regions::inline TRAMONTALIA_EDITION
