// Runs the story map tool as `make map` does and checks its graph against
// the story tables, then checks that the committed drawing is of that graph.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "story/story.hpp"

namespace {

struct Edge {
  std::string from, to, label;
  bool dashed = false, dotted = false, red = false;
};

struct Graph {
  std::map<std::string, std::string> nodes;  // name -> attributes
  std::vector<Edge> edges;
};

// The value of one attribute in `[a=b, c="d"]`, or "" when it is not there.
std::string attribute(const std::string& attributes, const std::string& name) {
  std::size_t at = 0;
  do {
    at = attributes.find(name + "=", at + 1);
    if (at == std::string::npos) return "";
  } while (attributes[at - 1] != '[' && attributes[at - 1] != ' ');  // not fontcolor for color
  const std::size_t start = at + name.size() + 1;
  if (attributes[start] == '"') {
    return attributes.substr(start + 1, attributes.find('"', start + 1) - start - 1);
  }
  return attributes.substr(start, attributes.find_first_of(",]", start) - start);
}

// The tool writes one statement a line: `  name [...];` or `  a -> b [...];`.
Graph read_map() {
  std::FILE* tool = popen("'" STORY_MAP "'", "r");
  EXPECT_NE(tool, nullptr);
  std::string dot;
  char buffer[4096];
  for (std::size_t n; tool && (n = std::fread(buffer, 1, sizeof buffer, tool)) > 0;)
    dot.append(buffer, n);
  EXPECT_EQ(tool ? pclose(tool) : -1, 0);

  Graph graph;
  std::istringstream lines(dot);
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("  ")) continue;  // the graph's braces
    const std::size_t bracket = line.find(" [");
    const std::string attributes = bracket == std::string::npos ? "" : line.substr(bracket + 1);
    const std::string statement = line.substr(0, std::min(bracket, line.find(';')));
    const std::size_t arrow = statement.find(" -> ");
    if (arrow != std::string::npos) {
      const std::string style = attribute(attributes, "style");
      graph.edges.push_back({statement.substr(2, arrow - 2), statement.substr(arrow + 4),
                             attribute(attributes, "label"), style == "dashed", style == "dotted",
                             attribute(attributes, "color") == "red"});
    } else if (statement.find_first_not_of("abcdefghijklmnopqrstuvwxyz_", 2) == std::string::npos &&
               statement != "  node" && statement != "  edge") {
      graph.nodes.emplace(statement.substr(2), attributes);
    }
  }
  return graph;
}

TEST(StoryMap, HasOneNodePerPassageAndEndingsDrawnApart) {
  const Graph graph = read_map();
  std::size_t passage_nodes = 0;
  for (const story::Passage* p : story::passages()) {
    const auto node = graph.nodes.find(std::string(story::name_of(p->id)));
    ASSERT_NE(node, graph.nodes.end()) << story::name_of(p->id);
    ++passage_nodes;
    bool ends = p->closing.kind == story::Closing::Kind::ending;
    for (const story::Page& page : p->pages) ends |= page.gate != story::Gate::none;
    EXPECT_EQ(attribute(node->second, "peripheries") == "2", ends) << node->first;
  }
  EXPECT_EQ(passage_nodes, 47u);
  // Besides the passages, only the aside page of the first menu.
  EXPECT_EQ(graph.nodes.size(), passage_nodes + 1);
  EXPECT_TRUE(graph.nodes.contains("idle_in_room"));
}

// One edge per option and per link, as the tables have them: the key on a
// choice, links dashed, the accident in red; an aside comes back dotted.
TEST(StoryMap, HasOneEdgePerOptionAndLink) {
  const Graph graph = read_map();
  const auto passage_name = [](story::PassageId id) { return std::string(story::name_of(id)); };
  const auto is_aside = [&graph](const std::string& name) {
    return graph.nodes.contains(name) &&
           std::ranges::none_of(story::passage_names, [&](auto n) { return n == name; });
  };
  using Key = std::tuple<std::string, std::string, std::string, bool>;
  std::vector<Key> expected, drawn;
  for (const story::Passage* p : story::passages()) {
    const std::string from = passage_name(p->id);
    if (p->closing.kind == story::Closing::Kind::link) {
      const bool accident = p->closing.link.effect.kind == story::Effect::Kind::raise_accident_flag;
      expected.emplace_back(from, passage_name(p->closing.link.next), "link", accident);
    }
    if (p->closing.kind != story::Closing::Kind::menu) continue;
    for (const story::Option& option : p->closing.menu.options) {
      const bool accident = option.go.effect.kind == story::Effect::Kind::raise_accident_flag;
      if (option.go.aside == nullptr) {
        expected.emplace_back(from, passage_name(option.go.next), std::string(1, option.key()),
                              accident);
      } else {
        expected.emplace_back(from, "(aside)", std::string(1, option.key()), accident);
        expected.emplace_back("(aside)", from, "return", false);
      }
    }
  }
  for (const Edge& e : graph.edges) {
    const std::string key = e.dashed   ? "link"
                            : e.dotted ? "return"
                                       : e.label.substr(0, e.label.find("\\n"));
    drawn.emplace_back(is_aside(e.from) ? "(aside)" : e.from, is_aside(e.to) ? "(aside)" : e.to,
                       key, e.red);
  }
  std::ranges::sort(expected);
  std::ranges::sort(drawn);
  EXPECT_EQ(drawn, expected);
  EXPECT_EQ(std::ranges::count(drawn, true, [](const Key& k) { return std::get<3>(k); }), 2);
}

// What `a` holds beyond `b`, both sorted, one a line.
std::string beyond(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<std::string> extra;
  std::ranges::set_difference(a, b, std::back_inserter(extra));
  std::string lines;
  for (const std::string& e : extra) lines += "\n  " + e;
  return lines;
}

std::string unescape(std::string s) {
  for (const auto& [entity, c] :
       {std::pair{"&#45;", "-"}, {"&gt;", ">"}, {"&lt;", "<"}, {"&amp;", "&"}}) {
    for (std::size_t at; (at = s.find(entity)) != std::string::npos;)
      s.replace(at, std::string(entity).size(), c);
  }
  return s;
}

// Graphviz titles every node and edge of the drawing with its name or `a->b`
// and writes each label line as a text; layout is free to change, those are not.
TEST(StoryMap, CommittedDrawingIsOfTheCurrentStory) {
  const Graph graph = read_map();
  std::vector<std::string> expected, drawn;
  for (const auto& [name, attributes] : graph.nodes) {
    const std::string label = attribute(attributes, "label");
    expected.push_back(name + "|" + (label.empty() ? name : label));
  }
  for (const Edge& e : graph.edges) expected.push_back(e.from + "->" + e.to + "|" + e.label);

  std::ifstream file(STORY_MAP_SVG);
  ASSERT_TRUE(file) << STORY_MAP_SVG;
  std::string svg((std::istreambuf_iterator<char>(file)), {});
  for (std::size_t at = 0; (at = svg.find("<g id=\"", at)) != std::string::npos; ++at) {
    const std::string tag = svg.substr(at, svg.find('>', at) - at);
    if (!tag.ends_with("class=\"node\"") && !tag.ends_with("class=\"edge\"")) continue;
    const std::string group = svg.substr(at, svg.find("</g>", at) - at);
    const std::size_t title = group.find("<title>") + 7;
    std::string entry = unescape(group.substr(title, group.find("</title>") - title)) + "|";
    std::string lines;
    for (std::size_t t = 0; (t = group.find("<text", t)) != std::string::npos;) {
      t = group.find('>', t) + 1;
      if (!lines.empty()) lines += "\\n";
      lines += unescape(group.substr(t, group.find("</text>", t) - t));
    }
    drawn.push_back(entry + lines);
  }
  std::ranges::sort(expected);
  std::ranges::sort(drawn);
  EXPECT_EQ(drawn, expected) << "docs/story-map.svg is out of date: run make map and commit it"
                             << "\nnot drawn:" << beyond(expected, drawn)
                             << "\ndrawn, not in the story:" << beyond(drawn, expected);
}

}  // namespace
