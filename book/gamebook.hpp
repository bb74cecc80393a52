// The story as a gamebook: numbered sections, each running from a choice (or
// the start) to the next menu or ending, as the console shows it, in every
// state of the game that changes what it shows or where its choices lead.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace gamebook {

struct Choice {
  std::string words;   // the option's own words, without its key
  std::size_t target;  // the number of the section it leads to
};

struct Section {
  // The console's pages, each a list of lines; the juice's composed line
  // already holds its colour.
  std::vector<std::vector<std::string>> pages;
  // The lead line of the menu, if it has one.
  std::string lead;
  std::vector<Choice> choices;
  // The title of the ending reached, empty where the section ends in a menu.
  std::string ending;
  // The number of that ending, as the story counts them from 0.
  std::size_t ending_number = 0;
};

// Every section, numbered from 1 (the opening) at index 0; the others in a
// fixed shuffled order, so that the next section is not the next page.
std::vector<Section> sections();

}  // namespace gamebook
