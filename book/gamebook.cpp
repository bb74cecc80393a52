#include "book/gamebook.hpp"

#include "book/typography.hpp"

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <utility>

#include "engine/game_state.hpp"
#include "story/story.hpp"

namespace gamebook {

namespace {

using story::Closing;
using story::Page;
using story::Passage;

// What a section shows, told by the tables' own objects rather than by their
// words, so that every language's book has the same sections, numbered
// alike: each page shown, with the text of the state in its slot, then the
// menu or the ending.
using Shown = std::vector<const void*>;

// Where the reader arrives after a choice: a passage's first page, or a page
// shown aside before the same menu again, with the game's state there.
struct Arrival {
  const Passage* passage;
  const Page* aside;
  engine::GameState state;

  bool operator==(const Arrival& other) const {
    return passage == other.passage && aside == other.aside &&
           state.accident_flag == other.state.accident_flag &&
           state.juice_colour == other.state.juice_colour;
  }
};

std::vector<std::string> lines_of(story::Text text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != story::Text::npos; end = text.find('\n', start)) {
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

// A page as the console shows it, with the state's text in its composed line.
std::vector<std::string> shown(const Page& page, const engine::GameState& state) {
  if (page.slot == story::StateText::none) return lines_of(page.text);
  std::vector<std::string> lines = lines_of(page.text);
  std::vector<std::string> rest = lines_of(page.rest);
  lines.back() += std::string(state.shown(page.slot)) + rest.front();
  lines.insert(lines.end(), rest.begin() + 1, rest.end());
  return lines;
}

std::string ending_title(const Passage& passage, std::size_t which, Section& section, Shown& what) {
  section.ending_number = story::ending_number(passage.id, which);
  what.push_back(&story::endings()[section.ending_number]);
  return std::string(story::endings()[section.ending_number].title);
}

class Explorer {
 public:
  // Every arrival met, in the order first met from the start, its section,
  // whose choices still name arrivals, and what it shows.
  std::vector<Arrival> arrivals;
  std::vector<Section> sections;
  std::vector<Shown> shown_by;

  void explore() {
    arrivals.push_back({&story::passage(story::first_passage), nullptr, {}});
    for (std::size_t i = 0; i < arrivals.size(); ++i) {
      shown_by.emplace_back();
      sections.push_back(walk(arrivals[i], shown_by.back()));
    }
  }

 private:
  std::size_t number_of(const Arrival& arrival) {
    for (std::size_t i = 0; i < arrivals.size(); ++i) {
      if (arrivals[i] == arrival) return i;
    }
    arrivals.push_back(arrival);
    return arrivals.size() - 1;
  }

  // Follows the game's own course: the pages, an accident's gate after any
  // page but the last, links on into the next passage, up to a menu or an
  // ending.
  Section walk(Arrival at, Shown& what) {
    Section section;
    const auto show = [&](const Page& page) {
      section.pages.push_back(shown(page, at.state));
      what.push_back(&page);
      if (page.slot != story::StateText::none) what.push_back(at.state.shown(page.slot).data());
    };
    if (at.aside != nullptr) {
      show(*at.aside);
      add_menu(section, what, *at.passage, at.state);
      return section;
    }
    const Passage* passage = at.passage;
    for (;;) {
      const std::size_t last = passage->pages.size() - 1;
      for (std::size_t i = 0; i <= last; ++i) {
        show(passage->pages[i]);
        if (i < last && passage->pages[i].gate == story::Gate::accident_flag &&
            !at.state.take_accident_flag()) {
          section.ending = ending_title(*passage, passage->ending_held_by(i), section, what);
          return section;
        }
      }
      switch (passage->closing.kind) {
        case Closing::Kind::link:
          at.state.apply(passage->closing.link.effect);
          passage = &story::passage(passage->closing.link.next);
          continue;
        case Closing::Kind::ending:
          section.ending = ending_title(*passage, passage->endings() - 1, section, what);
          return section;
        case Closing::Kind::menu:
          add_menu(section, what, *passage, at.state);
          return section;
      }
    }
  }

  void add_menu(Section& section, Shown& what, const Passage& passage,
                const engine::GameState& state) {
    const story::Menu& menu = passage.closing.menu;
    what.push_back(&menu);
    section.lead = menu.layout.lead;
    for (const story::Option& option : menu.options) {
      std::string words(option.words());
      if (!option.continuation.empty()) words = typography::joined(words, option.continuation.substr(3));
      Arrival next{&story::passage(option.go.next), nullptr, state};
      if (option.go.aside != nullptr) {
        next = {&passage, option.go.aside, state};
      } else {
        next.state.apply(option.go.effect);
      }
      section.choices.push_back({words, number_of(next)});
    }
  }
};

// One section for arrivals that show the same and whose choices lead to the
// same sections: classes of arrivals, split until every member of a class
// leads where the others do. Classes are numbered in the order first met.
std::vector<std::size_t> merge(const std::vector<Section>& sections,
                               const std::vector<Shown>& shown_by, std::size_t& count) {
  std::vector<std::size_t> cls(sections.size());
  std::vector<Shown> distinct;  // compared as equal or not: pointers have no order between objects
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const auto found = std::find(distinct.begin(), distinct.end(), shown_by[i]);
    cls[i] = static_cast<std::size_t>(found - distinct.begin());
    if (found == distinct.end()) distinct.push_back(shown_by[i]);
  }
  for (count = distinct.size();;) {
    std::map<std::vector<std::size_t>, std::size_t> by_course;
    std::vector<std::size_t> next(sections.size());
    for (std::size_t i = 0; i < sections.size(); ++i) {
      std::vector<std::size_t> course{cls[i]};
      for (const Choice& choice : sections[i].choices) course.push_back(cls[choice.target]);
      next[i] = by_course.try_emplace(course, by_course.size()).first->second;
    }
    cls = std::move(next);
    if (by_course.size() == count) return cls;
    count = by_course.size();
  }
}

// Section numbers for the classes: the opening's is 1, the rest shuffled by
// a generator whose every output the C++ standard fixes, so that every
// build numbers alike.
std::vector<std::size_t> numbers(std::size_t count) {
  std::vector<std::size_t> number(count);
  for (std::size_t i = 0; i < count; ++i) number[i] = i + 1;
  std::minstd_rand shuffle(1983);
  for (std::size_t i = count - 1; i > 1; --i) {
    std::swap(number[i], number[1 + shuffle() % i]);
  }
  return number;
}

}  // namespace

std::vector<Section> sections() {
  Explorer explorer;
  explorer.explore();
  std::size_t count = 0;
  const std::vector<std::size_t> cls = merge(explorer.sections, explorer.shown_by, count);
  const std::vector<std::size_t> number = numbers(count);
  std::vector<Section> book(count);
  std::vector<bool> written(count);
  for (std::size_t i = 0; i < cls.size(); ++i) {
    const std::size_t at = number[cls[i]] - 1;
    if (written[at]) continue;
    written[at] = true;
    book[at] = explorer.sections[i];
    for (Choice& choice : book[at].choices) choice.target = number[cls[choice.target]];
  }
  return book;
}

}  // namespace gamebook
