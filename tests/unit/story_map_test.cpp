// Runs the story map tool as `make map` does and checks its graph against the
// story tables, and that the committed drawing is of that graph.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "story/story.hpp"

namespace {

// Edges as "from->to key", where key is the option's key, "link" for a
// dashed link or "back" for the dotted return of an aside page.
struct Graph {
  std::set<std::string> nodes;
  // A passage's title, and its ending titles joined by '|'.
  std::map<std::string, std::string> labels;
  std::map<std::string, std::string> endings;
  std::multiset<std::string> edges;
  int red_edges = 0;
};

// The value of a quoted attribute, or "" when the line has none.
std::string attribute(const std::string& line, const std::string& name) {
  const std::size_t start = line.find(name + "=\"");
  if (start == std::string::npos) return "";
  const std::size_t value = start + name.size() + 2;
  return line.substr(value, line.find('"', value) - value);
}

Graph read_map() {
  std::FILE* tool = popen("'" STORY_MAP "'", "r");
  EXPECT_NE(tool, nullptr);
  std::string dot;
  char buffer[4096];
  for (std::size_t n; tool != nullptr && (n = std::fread(buffer, 1, sizeof buffer, tool)) > 0;) {
    dot.append(buffer, n);
  }
  EXPECT_EQ(tool != nullptr ? pclose(tool) : -1, 0);

  Graph graph;
  std::istringstream lines(dot);
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("  ")) continue;  // the graph's own braces
    std::istringstream words(line);
    std::string from, arrow, to;
    words >> from >> arrow >> to;
    if (arrow != "->") {
      if (from != "node" && from != "edge" && from.find_first_of("={}") == std::string::npos) {
        const std::string node = from.substr(0, from.find(';'));
        graph.nodes.insert(node);
        graph.labels[node] = attribute(line, "label");
        graph.endings[node] = attribute(line, "endings");
      }
      continue;
    }
    to = to.substr(0, to.find(';'));
    const std::size_t label = line.find("label=\"");
    const std::string key = line.find("dashed") != std::string::npos   ? "link"
                            : line.find("dotted") != std::string::npos ? "back"
                                                                       : line.substr(label + 7, 1);
    graph.edges.insert(from + "->" + to + " " + key);
    graph.red_edges += line.find("color=red") != std::string::npos;
  }
  return graph;
}

std::string name(story::PassageId id) {
  return std::string(story::name_of(id));
}

// In ending-number order, as the map gives them.
std::string ending_titles(story::PassageId id) {
  std::string titles;
  for (std::size_t which = 0; which < story::passage(id).endings(); ++which) {
    if (which > 0) titles += '|';
    titles += story::endings()[story::ending_number(id, which)].title;
  }
  return titles;
}

TEST(StoryMap, HasOneNodePerPassageAndOneEdgePerOptionAndLink) {
  const Graph graph = read_map();
  std::multiset<std::string> expected;
  for (const story::Passage* p : story::passages()) {
    EXPECT_TRUE(graph.nodes.contains(name(p->id))) << name(p->id);
    EXPECT_EQ(graph.labels.at(name(p->id)), p->title) << name(p->id);
    EXPECT_EQ(graph.endings.at(name(p->id)), ending_titles(p->id)) << name(p->id);
    if (p->closing.kind == story::Closing::Kind::link) {
      expected.insert(name(p->id) + "->" + name(p->closing.link.next) + " link");
    }
    if (p->closing.kind != story::Closing::Kind::menu) continue;
    for (const story::Option& option : p->closing.menu.options) {
      const std::string key(1, option.key());
      if (option.go.aside == nullptr) {
        expected.insert(name(p->id) + "->" + name(option.go.next) + " " + key);
      } else {
        expected.insert(name(p->id) + "->idle_in_room " + key);
        expected.insert("idle_in_room->" + name(p->id) + " back");
      }
    }
  }
  EXPECT_EQ(graph.nodes.size(), 47u + 1);  // the passages and the one aside page
  EXPECT_EQ(graph.edges, expected);
  EXPECT_EQ(graph.red_edges, 2);  // the two racing accidents
}

// Graphviz titles each node and edge of the drawing; the layout may change,
// the titles may not.
TEST(StoryMap, CommittedDrawingIsOfTheCurrentStory) {
  const Graph graph = read_map();
  std::ifstream file(STORY_MAP_SVG);
  ASSERT_TRUE(file) << STORY_MAP_SVG;
  const std::string svg((std::istreambuf_iterator<char>(file)), {});
  for (const std::string& node : graph.nodes) {
    EXPECT_NE(svg.find("<title>" + node + "</title>"), std::string::npos)
        << node << ": docs/story-map.svg is out of date, run make map";
  }
  std::size_t drawn_edges = 0;
  for (std::size_t at = 0; (at = svg.find("class=\"edge\"", at)) != std::string::npos; ++at) {
    ++drawn_edges;
  }
  EXPECT_EQ(drawn_edges, graph.edges.size()) << "docs/story-map.svg is out of date, run make map";
}

}  // namespace
