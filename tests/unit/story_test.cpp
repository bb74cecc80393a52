// Plays the whole story by every key of every menu, plus "salir" and an
// unrecognised word, reading the game through what it writes and what it
// reports of the scenes and endings reached.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "story/story.hpp"
#include "tests/support.hpp"

namespace {

using testing_support::StringOutput;

constexpr std::string_view ending_block = "\n\nFin\n\nPulsa enter para salir\n\n";

// Answers a menu from its plan and every pause with Enter. At a menu beyond
// its plan it notes the keys on offer and ends the input.
class Player final : public console::Input {
 public:
  Player(const StringOutput& out, std::vector<std::string> plan)
      : out_(out), plan_(std::move(plan)) {}

  std::size_t read(char* buffer, std::size_t capacity) override {
    if (++reads_ > 1000 || done_) return 0;
    std::string answer = "\n";
    if (!out_.text.empty() && out_.text.back() == '>') {
      if (next_ == plan_.size()) {
        offered_ = menu_on_screen();
        done_ = true;
        return 0;
      }
      answer = plan_[next_++] + "\n";
    }
    std::memcpy(buffer, answer.data(), std::min(capacity, answer.size()));
    return answer.size();
  }

  // The option block of the menu being shown, and its keys.
  std::string offered_ = {};
  std::string keys() const {
    std::string keys;
    std::istringstream lines(offered_);
    for (std::string line; std::getline(lines, line);) {
      if (line.size() > 3 && line.compare(1, 2, "->") == 0) keys += line[0];
    }
    return keys;
  }
  bool exhausted() const { return reads_ > 1000; }

 private:
  std::string menu_on_screen() const {
    const std::size_t header = out_.text.rfind("\n Opciones:");
    return header == std::string::npos ? "" : out_.text.substr(header);
  }

  const StringOutput& out_;
  std::vector<std::string> plan_;
  std::size_t next_ = 0;
  int reads_ = 0;
  bool done_ = false;
};

struct Reports final : engine::Progress {
  void entered(story::PassageId passage) override { scenes.push_back(passage); }
  void ended(std::size_t ending_number) override { endings.push_back(ending_number); }
  std::vector<story::PassageId> scenes;
  std::vector<std::size_t> endings;
};

struct Run {
  std::string output;
  std::string menu;  // the menu shown when the plan ran out, if any
  std::string keys;
  bool exhausted;
  Reports reports;
};

Run play(const std::vector<std::string>& plan) {
  StringOutput out;
  Player player(out, plan);
  Reports reports;
  auto game = std::make_unique<engine::Game>(player, out, &reports);
  game->play();
  return {out.text, player.offered_, player.keys(), player.exhausted(), reports};
}

// The passages whose first page the output shows, in the order shown.
std::vector<story::PassageId> scenes_shown(const std::string& output) {
  std::vector<std::pair<std::size_t, story::PassageId>> shown;
  for (const story::Passage* passage : story::passages()) {
    const std::string_view first_page = passage->pages[0].text;
    for (std::size_t at = 0; (at = output.find(first_page, at)) != std::string::npos; ++at) {
      shown.emplace_back(at, passage->id);
    }
  }
  std::sort(shown.begin(), shown.end());
  std::vector<story::PassageId> scenes;
  for (const auto& [at, id] : shown) scenes.push_back(id);
  return scenes;
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

std::string last_page_before_ending(const std::string& output) {
  const std::string shown = output.substr(0, output.size() - ending_block.size());
  return shown.substr(shown.rfind("\n\n") + 2);
}

struct Exploration {
  std::string everything_shown;
  std::set<std::string> endings;
  std::set<story::PassageId> scenes_reported;
  std::set<std::size_t> endings_reported;
  std::vector<std::string> failures;
};

Exploration explore() {
  Exploration found;
  struct Path {
    std::vector<std::string> plan;
    std::set<std::string> chosen;  // menu and key, so that no loop is followed twice
    bool tried_unrecognised = false;
  };
  std::vector<Path> pending{{}};
  while (!pending.empty()) {
    Path path = std::move(pending.back());
    pending.pop_back();
    const Run run = play(path.plan);
    found.everything_shown += run.output;
    const std::string route = path.plan.empty() ? "(start)" : path.plan.back();
    if (run.exhausted) found.failures.push_back("never ends after " + route);
    if (run.reports.scenes != scenes_shown(run.output)) {
      found.failures.push_back("scenes reported are not those shown after " + route);
    }
    found.scenes_reported.insert(run.reports.scenes.begin(), run.reports.scenes.end());
    const std::vector<std::size_t>& ended = run.reports.endings;
    found.endings_reported.insert(ended.begin(), ended.end());
    const bool ends = run.output.ends_with(ending_block);
    if (ended.size() != (ends ? 1 : 0) ||
        (ends && !run.output.ends_with(std::string(ending_page(ended[0])).append(ending_block)))) {
      found.failures.push_back("wrong ending reported after " + route);
    }
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
      if (line.size() > 78) found.failures.push_back("line over 78 bytes: " + line);
    }
    if (!path.plan.empty() && path.plan.back() == "salir") {
      if (run.output.back() != '>' || !run.menu.empty()) {
        found.failures.push_back("salir did not end the run at once");
      }
      continue;
    }
    if (run.menu.empty()) {
      if (!run.output.ends_with(ending_block)) {
        found.failures.push_back("a run stopped outside an ending after " + route);
      } else {
        found.endings.insert(last_page_before_ending(run.output));
      }
      continue;
    }
    for (const char key : run.keys) {
      const std::string choice = run.menu + key;
      if (path.chosen.contains(choice)) continue;
      Path next = path;
      next.plan.emplace_back(1, key);
      next.chosen.insert(choice);
      pending.push_back(std::move(next));
    }
    Path quit = path;
    quit.plan.emplace_back("salir");
    pending.push_back(std::move(quit));
    if (!path.tried_unrecognised) {
      Path unrecognised = path;
      unrecognised.plan.emplace_back("Salir");
      unrecognised.tried_unrecognised = true;
      pending.push_back(std::move(unrecognised));
    }
  }
  return found;
}

TEST(WholeStory, EveryPassageIsShownAndEveryEndingReached) {
  const Exploration found = explore();
  for (const std::string& failure : found.failures) ADD_FAILURE() << failure;

  for (const story::Passage* passage : story::passages()) {
    for (const story::Page& page : passage->pages) {
      EXPECT_NE(found.everything_shown.find(page.text), std::string::npos)
          << story::name_of(passage->id) << " is never shown";
      EXPECT_NE(found.everything_shown.find(page.rest), std::string::npos);
    }
  }
  EXPECT_EQ(story::passages().size(), 47u);
  EXPECT_EQ(found.endings.size(), 19u);
  EXPECT_EQ(found.scenes_reported.size(), 47u);
  EXPECT_EQ(found.endings_reported.size(), 19u);
  EXPECT_EQ(*found.endings_reported.rbegin(), 18u);
}

std::string all_transcript_expectations() {
  std::string all;
  for (const auto& entry : std::filesystem::directory_iterator(TRANSCRIPT_DIR)) {
    if (entry.path().extension() != ".out") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    all.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  return all;
}

// No page, option or menu text can change without some transcript noticing.
TEST(WholeStory, EveryTextAppearsInSomeTranscript) {
  const std::string expected = all_transcript_expectations();
  const auto check = [&](std::string_view text, std::string_view where) {
    EXPECT_NE(expected.find(text), std::string::npos) << where << ": " << text;
  };
  for (const story::Passage* passage : story::passages()) {
    const std::string_view name = story::name_of(passage->id);
    for (const story::Page& page : passage->pages) {
      check(page.text, name);
      check(page.rest, name);
    }
    const story::Menu& menu = passage->closing.menu;
    for (const story::Option& option : menu.options) {
      check(option.line, name);
      check(option.continuation, name);
      if (option.go.aside != nullptr) check(option.go.aside->text, name);
      check(option.go.effect.value, name);
    }
    check(menu.layout.lead, name);
    check(menu.layout.footer, name);
  }
}

}  // namespace
