// Plays the whole story by every key of every menu, plus the quit word and an
// unrecognised word, reading the game through what it writes and what it
// reports of the scenes and endings reached. Built once for the Spanish
// story and once for each translation (story_en_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/game.hpp"
#include "story/console_lines.hpp"
#include "story/story.hpp"

namespace {

const std::string ending_block = "\n\n" + std::string(story::lines::the_end) + "\n\n" +
                                 std::string(story::lines::pause_to_leave) + "\n\n";
const std::string quit_word(story::lines::quit_word);

// Answers each menu from its plan and every pause with Enter; at a menu
// beyond its plan, it ends the input. Keeps what the game writes and tells
// of its way.
struct Player final : console::Input, console::Output, engine::Progress {
  explicit Player(const std::vector<std::string>& plan) : plan(plan) {}

  std::size_t read(char* buffer, std::size_t capacity) override {
    if (++reads > 1000 || at_menu_beyond_plan) return 0;
    std::string answer = "\n";
    if (text.ends_with('>')) {
      if (next == plan.size()) return at_menu_beyond_plan = true, 0;
      answer = plan[next++] + "\n";
    }
    std::memcpy(buffer, answer.data(), std::min(capacity, answer.size()));
    return answer.size();
  }
  bool write(const char* data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
  void entered(story::PassageId passage) override { scenes.push_back(passage); }
  void ended(std::size_t ending_number) override { endings.push_back(ending_number); }

  const std::vector<std::string>& plan;
  std::size_t next = 0;
  std::string text;
  int reads = 0;
  bool at_menu_beyond_plan = false;
  std::vector<story::PassageId> scenes;
  std::vector<std::size_t> endings;
};

// Whether the passages reported entered are those whose first page the
// output shows, in the order shown.
bool scenes_shown(const std::string& output, const std::vector<story::PassageId>& reported) {
  std::map<std::size_t, story::PassageId> shown;  // by where they stand
  for (const story::Passage* passage : story::passages()) {
    const std::string_view first_page = passage->pages[0].text;
    for (std::size_t at = 0; (at = output.find(first_page, at)) != std::string::npos; ++at) {
      shown[at] = passage->id;
    }
  }
  return std::equal(shown.begin(), shown.end(), reported.begin(), reported.end(),
                    [](const auto& place, story::PassageId id) { return place.second == id; });
}

// The page shown before the "Fin" of ending `number`: a passage's gated pages
// hold its first endings, its last page the one of its closing.
std::string_view ending_page(std::size_t number) {
  const story::Passage& passage = story::passage(story::endings()[number].passage);
  std::size_t which = number - story::ending_number(passage.id, 0);
  for (const story::Page& page : passage.pages) {
    if (page.gate != story::Gate::none && which-- == 0) return page.text;
  }
  return passage.pages.back().text;
}

struct Exploration {
  std::set<story::PassageId> scenes;
  std::set<std::size_t> endings;
};

// Checks one game of the exploration; returns the menu where its plan ran
// out, if it did.
std::string check_run(const std::vector<std::string>& plan, Exploration& found) {
  Player player(plan);
  auto game = std::make_unique<engine::Game>(player, player, &player);
  game->play();
  const std::string& output = player.text;
  const std::string route = testing::PrintToString(plan);
  const auto fail = [&](const std::string& what) { ADD_FAILURE() << what << " after " << route; };
  found.scenes.insert(player.scenes.begin(), player.scenes.end());
  found.endings.insert(player.endings.begin(), player.endings.end());
  if (player.reads > 1000) fail("never ends");
  if (!scenes_shown(output, player.scenes)) fail("scenes reported are not those shown");
  std::string ending;  // each ending reported: its page and its "Fin"
  for (const std::size_t number : player.endings) {
    ending.append(ending_page(number)).append(ending_block);
  }
  const bool ends = output.ends_with(ending_block);
  if (ends == ending.empty() || !output.ends_with(ending)) fail("wrong ending reported");
  const bool quit = !plan.empty() && plan.back() == quit_word;
  const bool at_menu = player.at_menu_beyond_plan;
  if (quit ? at_menu || !output.ends_with('>') : !at_menu && !ends) {
    fail(quit ? "the quit word did not end the game at once" : "a game stopped outside an ending");
  }
  if (!at_menu) return "";
  std::string header = "\n";
  header.append(story::passage(player.scenes.back()).closing.menu.layout.header).append("\n");
  return output.substr(output.rfind(header));
}

// Plays `plan`, then goes on from the menu where it ran out by each answer
// not yet given to that menu on this way: every key, the quit word and an
// unrecognised word (the quit word capitalised), so that no loop is
// followed twice.
void explore(std::vector<std::string> plan, const std::set<std::string>& chosen,
             Exploration& found) {
  const std::string menu = check_run(plan, found);
  std::string capitalised = quit_word;
  capitalised[0] = static_cast<char>(capitalised[0] - 'a' + 'A');
  std::vector<std::string> answers{quit_word, capitalised};
  std::istringstream lines(menu);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t key = line.empty() ? 0 : text::character_size(line);
    if (key > 0 && line.size() > key + 2 && line.compare(key, 2, "->") == 0) {
      answers.push_back(line.substr(0, key));
    }
  }
  for (const std::string& answer : answers) {
    if (menu.empty() || chosen.contains(menu + answer)) continue;
    std::set<std::string> chosen_here = chosen;
    chosen_here.insert(menu + answer);
    plan.push_back(answer);
    explore(plan, chosen_here, found);
    plan.pop_back();
  }
}

#define TRAMONTALIA_SUITE(edition) TRAMONTALIA_SUITE_OF(edition)
#define TRAMONTALIA_SUITE_OF(edition) WholeStory_##edition
TEST(TRAMONTALIA_SUITE(TRAMONTALIA_EDITION), EveryPassageIsShownAndEveryEndingReached) {
  Exploration found;
  explore({}, {}, found);
  EXPECT_EQ(found.scenes.size(), 47u);
  ASSERT_EQ(found.endings.size(), 19u);
  EXPECT_EQ(*found.endings.rbegin(), 18u);
}

}  // namespace
