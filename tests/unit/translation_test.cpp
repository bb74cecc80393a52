// A translation is the same story in other words: every transcript's input,
// played in Spanish, and the answers that do the same in English, take the
// same course (passages, pauses, replays, blank lines refused, the ending).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/play.hpp"

// This file is built as the ISO-8859-1 edition, like the transcripts.
namespace fuzz::en {
Course course(std::string_view input);
std::string answers_along(const Course& course);
}  // namespace fuzz::en

namespace {

std::string read(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

TEST(Translation, EveryTranscriptTakesTheSameCourseInEnglish) {
  std::size_t played = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TRANSCRIPT_DIR)) {
    if (entry.path().extension() != ".in") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const fuzz::Course spanish = fuzz::course(read(entry.path()));
    const fuzz::Course english = fuzz::en::course(fuzz::en::answers_along(spanish));
    ASSERT_GT(spanish.size(), 1u);
    const auto parted =
        std::mismatch(spanish.begin(), spanish.end(), english.begin(), english.end());
    EXPECT_TRUE(parted.first == spanish.end() && parted.second == english.end())
        << "they part at step " << parted.first - spanish.begin() << ": "
        << (parted.first == spanish.end() ? "(over)" : fuzz::describe(*parted.first))
        << " in Spanish, "
        << (parted.second == english.end() ? "(over)" : fuzz::describe(*parted.second))
        << " in English";
    ++played;
  }
  EXPECT_GT(played, 60u);
}

}  // namespace
