// The fixed lines the console and the banner write around the story, in the
// edition's language: a translation gives them with the story's own texts.
#pragma once

#include "story/text.hpp"

namespace story::inline TRAMONTALIA_EDITION {

using namespace text::literals;

// A struct rather than a namespace, so that the names read story::lines::pause.
struct lines {
  static constexpr text::Text pause = "Pulsa enter"_t;
  static constexpr text::Text the_end = "Fin"_t;
  static constexpr text::Text pause_to_leave = "Pulsa enter para salir"_t;
  // Ends the game at any menu; a word of two letters or more, never a key.
  static constexpr text::Text quit_word = "salir"_t;
  // English in every language: players and scripts know it as it is.
  static constexpr text::Text redo = "Redo from start:";

  static constexpr text::Text banner_variant =
      "variante [completa; C-Ejecutable NetBSD/x86_64; texto "_t;
  static constexpr text::Text banner_columns = "; 80 columnas]"_t;
  static constexpr text::Text banner_copyright = "Copyright (C) 2026 los autores de Tramontalia"_t;
  static constexpr text::Text banner_licence =
      "Se puede copiar y distribuir libremente bajo la licencia MIT."_t;

  // Every line above that a translation gives: where the translators'
  // template places it and what it asks of them (tools/pot.cpp), and what the
  // story checks that a translation gives no other of (story/story.cpp).
  struct Translated {
    text::Text text;
    const char* place;
    const char* note;
  };
  static constexpr Translated translated[] = {
      {pause, "console/pause", "The line of every pause: the player presses Enter."},
      {the_end, "console/end", "The line that ends the story."},
      {pause_to_leave, "console/end/pause", "The pause after the end, before the game ends."},
      {quit_word, "console/quit",
       "The word that ends the game at any menu: lower case, two letters or more, one word."},
      {banner_variant, "banner/variant",
       "The start of the banner's third line, followed by the charset's name."},
      {banner_columns, "banner/columns", "The end of that line, after the charset's name."},
      {banner_copyright, "banner/copyright", "The banner's copyright line."},
      {banner_licence, "banner/licence", "The banner's licence line."},
  };
};

}  // namespace story::inline TRAMONTALIA_EDITION
