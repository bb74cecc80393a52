#include "engine/banner.hpp"

#include "story/console_lines.hpp"
#include "story/text.hpp"

namespace engine::inline TRAMONTALIA_EDITION {

void write_banner(console::Console& console) {
  console.blank_line();
  console.line("OKRU");
  console.line("Tramontalia v1.0");
  console.composed_line(story::lines::banner_variant, text::charset_name, story::lines::banner_columns);
  console.line(story::lines::banner_copyright);
  console.line(story::lines::banner_licence);
  console.blank_line();
  console.blank_line();
}

}  // namespace engine::inline TRAMONTALIA_EDITION
