// Writes the passage graph of the story in Graphviz DOT on standard output,
// read from the very tables the game plays: `make map` draws it into
// docs/story-map.svg.
//
// One node per passage, named by its id and labelled with its title; endings
// are shaded with a double border, and their titles, in ending-number order,
// go in the node's own attribute `endings` ("A|B"), which Graphviz passes
// through to its JSON for the browser edition's map. Menu choices are
// labelled with their key, links are dashed, and an effect on the game state
// is written on its edge (the accident in red). The story's titles hold no
// quote, backslash or '|', so they go into the attributes as they are.
#include <cstdio>
#include <string>
#include <string_view>

#include "story/opening.hpp"
#include "story/story.hpp"

namespace {

using story::Closing;
using story::Effect;
using story::Passage;

// Asides have no passage id; the story's one aside is named after its page.
std::string aside_name(const Passage& from, const story::Option& option) {
  if (option.go.aside == &story::regions::idle_in_room) return "idle_in_room";
  return std::string(story::name_of(from.id)) + "_aside_" + std::string(option.key());
}

std::string ending_titles(const Passage& p) {
  std::string titles;
  for (const story::Ending& ending : story::endings()) {
    if (ending.passage != p.id) continue;
    if (!titles.empty()) titles += '|';
    titles += ending.title;
  }
  return titles;
}

void write_passage(const Passage& p) {
  std::string attributes = "label=\"" + std::string(p.title) + "\"";
  if (p.id == story::first_passage) attributes += ", penwidth=2.5";
  const std::size_t endings = p.endings();
  if (endings > 0) {
    attributes += R"(, style="rounded,filled", fillcolor=gray85, peripheries=2, endings=")" +
                  ending_titles(p) + "\"";
  }
  // A gated page holds a second ending; the gate reads the accident flag, so
  // the passage is red like the edges that raise it.
  if (endings > 1) attributes += ", color=red";
  std::printf("  %s [%s];\n", std::string(story::name_of(p.id)).c_str(), attributes.c_str());
}

// key is empty for a link, which is drawn dashed.
void write_edge(const std::string& from, const std::string& to, std::string_view key,
                const Effect& effect) {
  std::string label(key);
  std::string attributes = key.empty() ? "style=dashed" : "";
  const auto add_line = [&label](std::string_view line) {
    if (!label.empty()) label += "\\n";
    label += line;
  };
  switch (effect.kind) {
    case Effect::Kind::none:
      break;
    case Effect::Kind::raise_accident_flag:
      add_line("accidente");
      attributes += std::string(attributes.empty() ? "" : ", ") + "color=red, fontcolor=red";
      break;
    case Effect::Kind::set_juice_colour:
      add_line("zumo " + std::string(effect.value));
      break;
  }
  if (!label.empty()) {
    attributes = "label=\"" + label + "\"" + (attributes.empty() ? "" : ", ") + attributes;
  }
  if (attributes.empty()) {
    std::printf("  %s -> %s;\n", from.c_str(), to.c_str());
  } else {
    std::printf("  %s -> %s [%s];\n", from.c_str(), to.c_str(), attributes.c_str());
  }
}

void write_edges(const Passage& p) {
  const std::string from(story::name_of(p.id));
  if (p.closing.kind == Closing::Kind::link) {
    write_edge(from, std::string(story::name_of(p.closing.link.next)), {}, p.closing.link.effect);
  }
  if (p.closing.kind != Closing::Kind::menu) return;
  for (const story::Option& option : p.closing.menu.options) {
    if (option.go.aside == nullptr) {
      write_edge(from, std::string(story::name_of(option.go.next)), option.key(), option.go.effect);
      continue;
    }
    // An aside shows its page and comes back to the same menu.
    const std::string aside = aside_name(p, option);
    std::printf("  %s [shape=note, fontsize=9];\n", aside.c_str());
    write_edge(from, aside, option.key(), option.go.effect);
    std::printf("  %s -> %s [style=dotted, arrowhead=open];\n", aside.c_str(), from.c_str());
  }
}

}  // namespace

int main() {
  std::printf("digraph tramontalia {\n");
  // Graphviz reads UTF-8 unless told otherwise; titles and effect values are
  // story text.
  std::printf("  charset=\"%s\";\n", text::utf8_edition ? "UTF-8" : "latin1");
  std::printf("  node [shape=box, style=rounded, fontname=\"Helvetica\", fontsize=11];\n");
  std::printf("  edge [fontname=\"Helvetica\", fontsize=10];\n");
  for (const Passage* p : story::passages()) write_passage(*p);
  for (const Passage* p : story::passages()) write_edges(*p);
  std::printf("}\n");
  // A map cut short, say by a full disk, must not pass for a whole one.
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
