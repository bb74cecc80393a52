// Runs the story map tool as `make map` does and checks its graph against the
// story tables, and that the committed drawing is of that graph.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "story/story.hpp"
#include "tests/support.hpp"

namespace {

// The graph as lines of text: "name: title; ending titles" for a node, and
// "from->to how" for an edge, where how is the option's key, "link" for a
// dashed link or "back" for the dotted return of an aside page, followed by
// " accident" when it is drawn red.
using Graph = std::multiset<std::string>;

// The value of a quoted attribute, or "" when the line has none.
std::string attribute(const std::string& line, const std::string& name) {
  const std::size_t start = line.find(name + "=\"");
  if (start == std::string::npos) return "";
  const std::size_t value = start + name.size() + 2;
  return line.substr(value, line.find('"', value) - value);
}

Graph read_map() {
  std::FILE* tool = popen("'" STORY_MAP "'", "r");
  std::string dot;
  char buffer[4096];
  for (std::size_t n; tool != nullptr && (n = std::fread(buffer, 1, sizeof buffer, tool)) > 0;) {
    dot.append(buffer, n);
  }
  EXPECT_EQ(tool != nullptr ? pclose(tool) : -1, 0) << "the story map tool failed";
  Graph graph;
  std::istringstream lines(dot);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string from, arrow, to;
    words >> from >> arrow >> to;
    if (!line.starts_with("  ") || from == "node" || from == "edge" ||
        from.find('=') != std::string::npos) {
      continue;  // the graph's own lines
    }
    if (arrow != "->") {
      graph.insert(from + ": " + attribute(line, "label") + "; " + attribute(line, "endings"));
      continue;
    }
    const std::string how = line.find("dashed") != std::string::npos ? "link"
                            : line.find("dotted") != std::string::npos
                                ? "back"
                                : attribute(line, "label").substr(0, 1);
    const bool red = line.find(" color=red") != std::string::npos &&
                     line.find("fontcolor=red") != std::string::npos;
    graph.insert(from + "->" + to.substr(0, to.find(';')) + " " + how + (red ? " accident" : ""));
  }
  return graph;
}

std::string name(story::PassageId id) {
  return std::string(story::name_of(id));
}

std::string edge(story::PassageId from, const std::string& to, const std::string& how,
                 const story::Effect& effect) {
  const bool accident = effect.kind == story::Effect::Kind::raise_accident_flag;
  return name(from) + "->" + to + " " + how + (accident ? " accident" : "");
}

Graph story_graph() {
  Graph graph;
  for (const story::Passage* p : story::passages()) {
    std::string endings;
    for (std::size_t which = 0; which < p->endings(); ++which) {
      if (which > 0) endings += '|';
      endings += story::endings()[story::ending_number(p->id, which)].title;
    }
    graph.insert(name(p->id) + ": " + std::string(p->title) + "; " + endings);
    if (p->closing.kind == story::Closing::Kind::link) {
      graph.insert(edge(p->id, name(p->closing.link.next), "link", p->closing.link.effect));
    }
    if (p->closing.kind != story::Closing::Kind::menu) continue;
    for (const story::Option& option : p->closing.menu.options) {
      const std::string key(1, option.key());
      if (option.go.aside == nullptr) {
        graph.insert(edge(p->id, name(option.go.next), key, option.go.effect));
      } else {
        graph.insert(edge(p->id, "idle_in_room", key, option.go.effect));
        graph.insert("idle_in_room->" + name(p->id) + " back");
      }
    }
  }
  graph.insert("idle_in_room: ; ");  // the one aside page
  return graph;
}

// Graphviz titles each node and edge of the committed drawing: the layout may
// change, the titles may not.
TEST(StoryMap, DrawsOneNodePerPassageAndOneEdgePerOptionAndLinkAsCommitted) {
  const Graph drawn = read_map();
  const Graph expected = story_graph();
  for (const std::string& line : std::set<std::string>(expected.begin(), expected.end())) {
    EXPECT_EQ(drawn.count(line), expected.count(line))
        << "the map draws this line wrongly: " << line;
  }
  EXPECT_EQ(drawn.size(), expected.size()) << "the map draws what the story does not hold";

  const std::string svg = testing_support::read_file(STORY_MAP_SVG);
  std::size_t edges = 0;
  for (const std::string& line : drawn) {
    if (line.find("->") != std::string::npos) {
      ++edges;
      continue;
    }
    const std::string node = line.substr(0, line.find(':'));
    EXPECT_NE(svg.find("<title>" + node + "</title>"), std::string::npos)
        << node << ": docs/story-map.svg is out of date, run make map";
  }
  std::size_t drawn_edges = 0;
  for (std::size_t at = 0; (at = svg.find("class=\"edge\"", at)) != std::string::npos; ++at)
    ++drawn_edges;
  EXPECT_EQ(drawn_edges, edges) << "docs/story-map.svg is out of date, run make map";
}

}  // namespace
