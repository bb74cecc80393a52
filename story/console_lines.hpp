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

  // Every line above that a translation gives, for the check that it gives no
  // other.
  static constexpr text::Text translated[] = {
      pause,          the_end,        pause_to_leave,   quit_word,
      banner_variant, banner_columns, banner_copyright, banner_licence};
};

}  // namespace story::inline TRAMONTALIA_EDITION
