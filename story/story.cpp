// Gathers the regions into one table indexed by passage id and checks, at
// compile time, that the story holds together: every passage written once,
// every one reachable from the first, every line within the console's width.
#include "story/story.hpp"

#include <algorithm>
#include <array>

#include "story/airliner.hpp"
#include "story/console_lines.hpp"
#include "story/attendant.hpp"
#include "story/cockpit_and_race.hpp"
#include "story/depths_and_bus.hpp"
#include "story/fall_and_plain.hpp"
#include "story/future_city.hpp"
#include "story/home.hpp"
#include "story/opening.hpp"
#include "story/wall_and_flood.hpp"

namespace story::inline TRAMONTALIA_EDITION {

// Never defined: named in the compiler's message when a check fails.
void passage_written_twice();
void passage_not_written();
void passage_unreachable_from_the_first();
void composed_line_wider_than_78_columns();
void title_missing();
void title_wider_than_28_columns();
void title_used_twice();
void title_holds_a_quote_backslash_or_bar();

namespace {

using Table = std::array<const Passage*, passage_count>;

template <std::size_t... N>
consteval Table index_by_id(const Passage (&... regions)[N]) {
  Table table{};
  std::array<bool, passage_count> written{};
  const auto add_region = [&](const auto& region) {
    for (const Passage& p : region) {
      if (written[index_of(p.id)]) passage_written_twice();
      written[index_of(p.id)] = true;
      table[index_of(p.id)] = &p;
    }
  };
  (add_region(regions), ...);
  for (const bool w : written) {
    if (!w) passage_not_written();
  }
  return table;
}

constexpr Table by_id =
    index_by_id(regions::opening, regions::wall_and_flood, regions::fall_and_plain,
                regions::depths_and_bus, regions::airliner, regions::attendant,
                regions::cockpit_and_race, regions::future_city_region, regions::home);

template <typename Visit>
consteval void for_each_transition(const Passage& p, Visit visit) {
  if (p.closing.kind == Closing::Kind::link) visit(p.closing.link);
  if (p.closing.kind != Closing::Kind::menu) return;
  for (const Option& option : p.closing.menu.options) visit(option.go);
}

consteval bool all_reachable() {
  std::array<bool, passage_count> seen{};
  std::array<PassageId, passage_count> queue{};
  std::size_t head = 0;
  std::size_t tail = 0;
  seen[index_of(first_passage)] = true;
  queue[tail++] = first_passage;
  while (head < tail) {
    for_each_transition(*by_id[index_of(queue[head++])], [&](const Transition& t) {
      if (t.aside == nullptr && !seen[index_of(t.next)]) {
        seen[index_of(t.next)] = true;
        queue[tail++] = t.next;
      }
    });
  }
  if (tail != passage_count) passage_unreachable_from_the_first();
  return true;
}

consteval std::size_t widest_juice_colour() {
  std::size_t widest = 0;
  for (const Passage* p : by_id) {
    for_each_transition(*p, [&](const Transition& t) {
      if (t.effect.kind == Effect::Kind::set_juice_colour) {
        widest = std::max(widest, text::width(t.effect.value));
      }
    });
  }
  return widest;
}

consteval bool composed_lines_fit() {
  for (const Passage* p : by_id) {
    for (const Page& page : p->pages) {
      if (page.slot == StateText::none) continue;
      const Text before = page.text.substr(page.text.rfind('\n') + 1);
      const Text after = page.rest.substr(0, page.rest.find('\n'));
      const std::size_t width = text::width(before) + widest_juice_colour() + text::width(after);
      if (width > max_line_width) composed_line_wider_than_78_columns();
    }
  }
  return true;
}

consteval std::size_t count_menus() {
  return static_cast<std::size_t>(std::count_if(by_id.begin(), by_id.end(), [](const Passage* p) {
    return p->closing.kind == Closing::Kind::menu;
  }));
}

consteval std::size_t count_endings() {
  std::size_t count = 0;
  for (const Passage* p : by_id) count += p->endings();
  return count;
}

consteval std::array<Ending, ending_count> collect_endings() {
  std::array<Ending, ending_count> all{};
  std::size_t n = 0;
  for (const Passage* p : by_id) {
    for (const Page& page : p->pages) {
      if (page.gate != Gate::none) all[n++] = {p->id, page.ending_title};
    }
    if (p->closing.kind == Closing::Kind::ending) all[n++] = {p->id, p->closing.ending_title};
  }
  return all;
}

constexpr std::array<Ending, ending_count> ending_table = collect_endings();

// The number of each passage's first ending.
consteval std::array<std::size_t, passage_count> number_first_endings() {
  std::array<std::size_t, passage_count> first{};
  std::size_t n = 0;
  for (const Passage* p : by_id) {
    first[index_of(p->id)] = n;
    n += p->endings();
  }
  return first;
}

constexpr std::array<std::size_t, passage_count> first_ending = number_first_endings();

// The titles go into the map's data, between double quotes and separated by
// '|', and must tell every scene and ending apart.
inline constexpr std::size_t max_title_width = 28;

consteval bool titles_fit() {
  std::array<Text, passage_count + ending_count> titles{};
  std::size_t n = 0;
  for (const Passage* p : by_id) titles[n++] = p->title;
  for (const Ending& e : ending_table) titles[n++] = e.title;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (titles[i].empty()) title_missing();
    if (text::width(titles[i]) > max_title_width) title_wider_than_28_columns();
    if (titles[i].find_first_of("\"\\|") != Text::npos) title_holds_a_quote_backslash_or_bar();
    for (std::size_t j = i + 1; j < titles.size(); ++j) {
      if (titles[i] == titles[j]) title_used_twice();
    }
  }
  return true;
}

// The player types it whole at a menu, where a key is one character: two
// letters or more are never taken for a key, even typed in full width.
consteval bool quit_word_is_two_letters_or_more(Text word) {
  const auto letter = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           static_cast<unsigned char>(c) >= 0x80;
  };
  return text::character_count(word) >= 2 && std::all_of(word.begin(), word.end(), letter);
}

static_assert(all_reachable());
static_assert(quit_word_is_two_letters_or_more(lines::quit_word),
              "the quit word is one word of two letters or more, never a key");
static_assert(composed_lines_fit());
static_assert(passage_count == 47, "the story has 47 passages");
static_assert(count_menus() == 15, "the story has 15 menus");
static_assert(count_endings() == ending_count, "the story has 19 endings");
static_assert(titles_fit());

#ifdef TRAMONTALIA_LANGUAGE
// Every text of the story and of the console's lines, as the edition writes it.
template <typename Visit>
consteval void for_each_text(Visit visit) {
  const auto visit_page = [&](const Page& page) {
    visit(page.text);
    visit(page.rest);
    visit(page.ending_title);
  };
  const auto visit_transition = [&](const Transition& t) {
    visit(t.effect.value);
    if (t.aside != nullptr) visit_page(*t.aside);
  };
  for (const Passage* p : by_id) {
    visit(p->title);
    for (const Page& page : p->pages) visit_page(page);
    visit(p->closing.ending_title);
    visit(p->closing.menu.layout.lead);
    visit(p->closing.menu.layout.header);
    visit(p->closing.menu.layout.footer);
    for (const Option& option : p->closing.menu.options) {
      visit(option.line);
      visit(option.continuation);
    }
    for_each_transition(*p, visit_transition);
  }
  for (const lines::Translated& line : lines::translated) visit(line.text);
}

consteval bool in_story(Text translated) {
  bool found = false;
  for_each_text([&](Text t) { found = found || t == translated; });
  return found;
}

// Whether every line of a text passes `fits`.
template <typename Fits>
consteval bool each_line(Text translated, Fits fits) {
  std::size_t start = 0;
  for (std::size_t end = 0; end <= translated.size(); ++end) {
    if (end < translated.size() && translated[end] != '\n') continue;
    if (!fits(translated.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
}

consteval bool lines_fit(Text translated) {
  return each_line(translated, [](Text line) { return text::width(line) <= max_line_width; });
}

consteval bool lines_break_well(Text translated) {
  return each_line(translated, [](Text line) {
    return !opens_with_a_closing_mark(line) && !ends_with_an_opening_mark(line);
  });
}

// Each entry of the translation judged on its own, the message naming its
// place in the PO file; a text the translation lacks is named where the
// story uses it (story/text.hpp).
#define TRAMONTALIA_CHECK_ENTRY(where, source, translated, fuzzy)                              \
  TRAMONTALIA_CHECK_GIVEN(true, where, translated, fuzzy)                                      \
  static_assert(lines_fit(translated), where ": a line wider than 78 columns");                \
  static_assert(lines_break_well(translated),                                                  \
                where ": a line opens with a closing mark or ends with an opening one");       \
  static_assert((fuzzy) || Text(translated).empty() || in_story(translated),                   \
                where ": translates a text the story no longer has");
TRAMONTALIA_TRANSLATION_ENTRIES(TRAMONTALIA_CHECK_ENTRY)
#undef TRAMONTALIA_CHECK_ENTRY
#endif

}  // namespace

const Passage& passage(PassageId id) {
  return *by_id[index_of(id)];
}

std::span<const Passage* const> passages() {
  return by_id;
}

std::span<const Ending> endings() {
  return ending_table;
}

std::size_t ending_number(PassageId passage, std::size_t which) {
  return first_ending[index_of(passage)] + which;
}

}  // namespace story::inline TRAMONTALIA_EDITION
