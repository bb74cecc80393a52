// The shape of the story: passages made of pages, closed by a menu, an
// ending or a link. Everything here is built at compile time; a malformed
// page or option line stops the build where it is written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "story/passage_id.hpp"
#include "story/text.hpp"

namespace story::inline TRAMONTALIA_EDITION {

using text::Text;
using namespace text::literals;

inline constexpr std::size_t max_line_width = 78;

void page_line_wider_than_78_columns();
void empty_line_inside_a_page();
void line_opens_with_a_closing_mark_or_small_kana();
void line_ends_with_an_opening_mark();
void option_line_must_start_with_a_key_of_one_character_and_an_arrow();
void continuation_line_must_start_with_three_spaces();
void too_many_options_in_one_menu();
void key_repeated_in_one_menu();

// East Asian text never starts a line with a closing mark or a small kana,
// nor ends one with an opening mark. Only a line holding a wide character is
// such text: the Latin editions' quotes and ellipses follow their own
// languages' rules (a German line may well end with “).
inline constexpr std::u32string_view closing_marks =
    U"、。，．：；？！」』）】〕〉》”’ゝゞー々ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ…‥";
inline constexpr std::u32string_view opening_marks = U"「『（【〔〈《“‘［｛";

constexpr bool opens_with_a_closing_mark(Text line) {
  return text::holds_wide_character(line) &&
         closing_marks.find(text::first_code_point(line)) != std::u32string_view::npos;
}
constexpr bool ends_with_an_opening_mark(Text line) {
  return text::holds_wide_character(line) &&
         opening_marks.find(text::last_code_point(line)) != std::u32string_view::npos;
}

constexpr void check_lines(Text lines) {
  std::size_t start = 0;
  for (std::size_t end = 0; end <= lines.size(); ++end) {
    if (end < lines.size() && lines[end] != '\n') continue;
    const Text line = lines.substr(start, end - start);
    if (line.empty()) empty_line_inside_a_page();
    if (text::width(line) > max_line_width) page_line_wider_than_78_columns();
    if (opens_with_a_closing_mark(line)) line_opens_with_a_closing_mark_or_small_kana();
    if (ends_with_an_opening_mark(line)) line_ends_with_an_opening_mark();
    start = end + 1;
  }
}

// A value of game state that a page line can show.
enum class StateText : std::uint8_t { none, juice_colour };

// Whether the story may go on after a page, decided by game state.
enum class Gate : std::uint8_t {
  none,
  // Goes on (clearing the flag) only after a racing accident; otherwise the
  // run ends here with the ending block.
  accident_flag,
};

// A page: its lines separated by '\n'. A page may show one state text in
// the middle of a line: `text`, then the state, then `rest`.
struct Page {
  Text text;
  Text rest = {};
  StateText slot = StateText::none;
  Gate gate = Gate::none;
  // For a gated page: the title of the ending it holds.
  Text ending_title = {};

  // Implicit, so that a table of pages reads as a list of texts.
  // cppcheck-suppress noExplicitConstructor
  consteval Page(Text lines) : text(lines) { check_lines(lines); }
  consteval Page(Gate g, Text title, Text lines) : text(lines), gate(g), ending_title(title) {
    check_lines(lines);
  }
  // The composed line's full width is checked with the story, which knows
  // every value the state can take.
  consteval Page(Text before, StateText shown, Text after)
      : text(before), rest(after), slot(shown) {
    check_lines(before);
    check_lines(after);
  }
};

struct Effect {
  enum class Kind : std::uint8_t { none, raise_accident_flag, set_juice_colour };
  Kind kind = Kind::none;
  Text value = {};
};

inline constexpr Effect raise_accident_flag{Effect::Kind::raise_accident_flag};
consteval Effect set_juice_colour(Text colour) {
  return {Effect::Kind::set_juice_colour, colour};
}

// Where a choice or a link leads: into a passage, or to a page shown aside
// (with its pause) after which the same menu is shown again.
struct Transition {
  PassageId next = PassageId::circular_room;
  Effect effect = {};
  const Page* aside = nullptr;
};

consteval Transition to(PassageId next, const Effect& effect = {}) {
  return {next, effect, nullptr};
}
consteval Transition aside(const Page& page) {
  return {PassageId::circular_room, {}, &page};
}

struct Option {
  Text line;
  Text continuation = {};
  Transition go;

  consteval Option(Text option_line, const Transition& t) : line(option_line), go(t) { check(); }
  consteval Option(Text option_line, Text second_line, const Transition& t)
      : line(option_line), continuation(second_line), go(t) {
    check();
    if (!continuation.starts_with("   ")) continuation_line_must_start_with_three_spaces();
    check_lines(continuation);
  }
  // What the player types to choose it: the line's first character, up to
  // its arrow.
  [[nodiscard]] constexpr Text key() const { return line.substr(0, text::character_size(line)); }
  // What follows the key and its arrow.
  [[nodiscard]] constexpr Text words() const { return line.substr(key().size() + 2); }

 private:
  // A key is a lower-case ASCII letter or a digit, or a character of some
  // other script, as the player's keyboard types it.
  static constexpr bool is_key(Text key) {
    const char c = key[0];
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           static_cast<unsigned char>(c) >= 0x80;
  }
  consteval void check() const {
    if (line.empty() || !is_key(key()) || line.substr(key().size(), 2) != "->" ||
        line.size() == key().size() + 2) {
      option_line_must_start_with_a_key_of_one_character_and_an_arrow();
    }
    check_lines(line);
  }
};

inline constexpr std::size_t max_options = 6;

// The fixed lines around a menu's options: a lead line before the header,
// and a line after the options.
struct MenuLayout {
  Text lead = {};
  Text header = " Opciones:"_t;
  Text footer = {};
};

// A menu's keys, in the order they are tested, for the console's dispatch.
struct Keys {
  std::array<Text, max_options> texts{};
  std::size_t count = 0;

  [[nodiscard]] constexpr std::span<const Text> all() const { return {texts.data(), count}; }
};

struct Menu {
  MenuLayout layout = {};
  std::span<const Option> options = {};

  // Read from the option lines when asked for, not kept in the tables: every
  // passage holds a menu, and the page would carry them all.
  [[nodiscard]] constexpr Keys keys() const {
    Keys keys;
    for (const Option& option : options) keys.texts[keys.count++] = option.key();
    return keys;
  }
};

struct Closing {
  enum class Kind : std::uint8_t { menu, ending, link };
  Kind kind;
  Menu menu = {};
  Transition link = {};
  Text ending_title = {};
};

consteval Closing menu(std::span<const Option> options, MenuLayout layout = {}) {
  if (options.size() > max_options) too_many_options_in_one_menu();
  if (!layout.lead.empty()) check_lines(layout.lead);
  if (!layout.footer.empty()) check_lines(layout.footer);
  // Checked here, where the menu is written, so that the message names it.
  for (std::size_t i = 0; i < options.size(); ++i) {
    for (std::size_t j = i + 1; j < options.size(); ++j) {
      if (options[i].key() == options[j].key()) key_repeated_in_one_menu();
    }
  }
  return {Closing::Kind::menu, {layout, options}, {}};
}
consteval Closing ending(Text title) {
  return {Closing::Kind::ending, {}, {}, title};
}
consteval Closing link(PassageId next, const Effect& effect = {}) {
  return {Closing::Kind::link, {}, to(next, effect)};
}

struct Passage {
  PassageId id;
  // Shown on the player's map of scenes seen.
  Text title;
  std::span<const Page> pages;
  Closing closing;

  // The endings it holds: each gated page, which ends the run when its
  // condition fails, then its closing.
  [[nodiscard]] constexpr std::size_t endings() const {
    std::size_t count = closing.kind == Closing::Kind::ending ? 1 : 0;
    for (const Page& page : pages) count += page.gate != Gate::none ? 1 : 0;
    return count;
  }

  // Which of its endings the gated page at `page` holds, counting as the
  // story numbers them: the gated pages first, in page order.
  [[nodiscard]] constexpr std::size_t ending_held_by(std::size_t page) const {
    std::size_t which = 0;
    for (std::size_t i = 0; i < page; ++i) which += pages[i].gate != Gate::none ? 1 : 0;
    return which;
  }
};

}  // namespace story::inline TRAMONTALIA_EDITION
