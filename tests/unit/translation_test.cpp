// A translation is the same story in other words: every transcript's input,
// played in Spanish, and the answers that do the same in each language, take
// the same course (passages, pauses, replays, blank lines refused, the ending).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/translations.hpp"

namespace {

std::string read(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

TEST(Translation, EveryTranscriptTakesTheSameCourseInEveryLanguage) {
  std::size_t played = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TRANSCRIPT_DIR)) {
    if (entry.path().extension() != ".in") continue;
    const fuzz::Course spanish = fuzz::course(read(entry.path()));
    ASSERT_GT(spanish.size(), 1u);
    for (const fuzz::Translation& language : fuzz::translations) {
      SCOPED_TRACE(entry.path().filename().string() + " in " + language.code);
      const fuzz::Course translated = language.course(language.answers_along(spanish));
      const auto parted =
          std::mismatch(spanish.begin(), spanish.end(), translated.begin(), translated.end());
      EXPECT_TRUE(parted.first == spanish.end() && parted.second == translated.end())
          << "they part at step " << parted.first - spanish.begin() << ": "
          << (parted.first == spanish.end() ? "(over)" : fuzz::describe(*parted.first))
          << " in Spanish, "
          << (parted.second == translated.end() ? "(over)" : fuzz::describe(*parted.second))
          << " in " << language.code;
    }
    ++played;
  }
  EXPECT_GT(played, 60u);
}

}  // namespace
