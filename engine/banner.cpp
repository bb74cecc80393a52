#include "engine/banner.hpp"

#include "story/text.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

void write_banner(console::Console& console) {
  console.blank_line();
  console.line("OKRU");
  console.line("Tramontalia v1.0");
  console.composed_line("variante [completa; C-Ejecutable NetBSD/x86_64; texto ",
                        text::charset_name, "; 80 columnas]");
  console.line("Copyright (C) 2026 los autores de Tramontalia");
  console.line("Se puede copiar y distribuir libremente bajo la licencia MIT.");
  console.blank_line();
  console.blank_line();
}

}  // namespace engine::inline TRAMONTALIA_EDITION
