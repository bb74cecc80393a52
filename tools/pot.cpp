// Writes po/tramontalia.pot, the translators' template, from the very tables
// the game plays: every text a player reads, in story order, each with where
// it stands (its passage and its page, option or title) and, for the
// translator, what the game asks of it. A text used in several places is one
// message with every place as a reference, and one translation.
//
// Usage: pot > story.pot (`make pot` adds the other words, tools/write_pot.sh)
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "story/console_lines.hpp"
#include "story/story.hpp"

namespace {

using story::Passage;
using story::Text;

constexpr std::string_view page_note =
    "A page: lines of at most 78 columns as terminals count them (a wide character takes two), "
    "each filled to the width; no empty line.";
constexpr std::string_view title_note =
    "A title on the map and in the book: at most 28 columns, no double quote, backslash "
    "or |, and unlike every other title.";
constexpr std::string_view option_note =
    "An option of a menu, key->words: the key is one character the player types on their own "
    "keyboard without switching layouts (a lower-case letter of the language's alphabet; for "
    "languages typed through an input method, an ASCII digit or letter), unique in its menu. "
    "Lines of at most 78 columns as terminals count them (a wide character takes two).";

struct Message {
  std::string text;
  std::string note;
  std::vector<std::string> places;
};

class Template {
 public:
  void add(Text text, std::string_view note, const std::string& place) {
    for (Message& m : messages_) {
      if (m.text == text) return m.places.push_back(place);
    }
    messages_.push_back({std::string(text), std::string(note), {place}});
  }

  void write() const {
    std::puts(
        "# The texts of Tramontalia, for its translators.\n"
        "# This file is made by `make pot` from the story's tables and the words around them:\n"
        "# do not edit it.\n"
        "#, fuzzy\n"
        "msgid \"\"\n"
        "msgstr \"\"\n"
        "\"Project-Id-Version: tramontalia 1.0\\n\"\n"
        "\"Language: \\n\"\n"
        "\"MIME-Version: 1.0\\n\"\n"
        "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\"Content-Transfer-Encoding: 8bit\\n\"");
    for (const Message& m : messages_) {
      std::printf("\n#. %s\n#:", m.note.c_str());
      for (const std::string& place : m.places) std::printf(" %s", place.c_str());
      std::printf("\nmsgid %s\nmsgstr \"\"\n", quoted(m.text).c_str());
    }
  }

 private:
  // As PO files write a text: a text of several lines starts empty and
  // gives each line a quoted string of its own.
  static std::string quoted(std::string_view text) {
    std::string out = text.find('\n') == Text::npos ? "\"" : "\"\"\n\"";
    for (const char c : text) {
      if (c == '"' || c == '\\') out += '\\';
      out += c == '\n' ? std::string("\\n\"\n\"") : std::string(1, c);
    }
    return out + '"';
  }

  std::vector<Message> messages_;
};

std::string place(const Passage& p, std::string_view what, std::size_t number = 0) {
  std::string s = std::string(story::name_of(p.id)) + '/' + std::string(what);
  return number == 0 ? s : s + '/' + std::to_string(number);
}

void add_page(Template& pot, const story::Page& page, const std::string& where) {
  if (page.slot == story::StateText::none) return pot.add(page.text, page_note, where);
  pot.add(page.text,
          "A page whose last line goes on with the juice's colour (a slot the game fills), "
          "then with the next message: the whole line within 78 columns with the longer "
          "colour.",
          where);
  pot.add(page.rest, "The rest of that line, after the colour, and of its page.", where + "/rest");
}

void add_transition(Template& pot, const story::Transition& go, const std::string& where) {
  if (go.effect.kind == story::Effect::Kind::set_juice_colour) {
    pot.add(go.effect.value, "A colour, shown in the middle of a line of the juice's page.",
            where + "/colour");
  }
  if (go.aside != nullptr) add_page(pot, *go.aside, where + "/aside");
}

void add_menu(Template& pot, const Passage& p) {
  const story::MenuLayout& layout = p.closing.menu.layout;
  if (!layout.lead.empty()) pot.add(layout.lead, "The line before a menu.", place(p, "lead"));
  pot.add(layout.header, "The line that heads a menu's options.", place(p, "header"));
  std::size_t number = 0;
  for (const story::Option& option : p.closing.menu.options) {
    const std::string where = place(p, "option", ++number);
    pot.add(option.line, option_note, where);
    if (!option.continuation.empty()) {
      pot.add(option.continuation, "The second line of an option: three spaces, then words.",
              where + "/second-line");
    }
    add_transition(pot, option.go, where);
  }
  if (!layout.footer.empty()) pot.add(layout.footer, "The line after a menu.", place(p, "footer"));
}

void add_passage(Template& pot, const Passage& p) {
  pot.add(p.title, title_note, place(p, "title"));
  std::size_t number = 0;
  for (const story::Page& page : p.pages) {
    add_page(pot, page, place(p, "page", ++number));
    if (page.gate != story::Gate::none) pot.add(page.ending_title, title_note, place(p, "ending"));
  }
  switch (p.closing.kind) {
    case story::Closing::Kind::menu:
      return add_menu(pot, p);
    case story::Closing::Kind::link:
      return add_transition(pot, p.closing.link, place(p, "link"));
    case story::Closing::Kind::ending:
      return pot.add(p.closing.ending_title, title_note, place(p, "ending"));
  }
}

void add_console_lines(Template& pot) {
  for (const story::lines::Translated& line : story::lines::translated) {
    pot.add(line.text, line.note, line.place);
  }
}

}  // namespace

int main() {
  Template pot;
  for (const Passage* p : story::passages()) add_passage(pot, *p);
  add_console_lines(pot);
  pot.write();
  return 0;
}
