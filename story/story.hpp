// The whole story, proven sound by the compiler.
#pragma once

#include <cstddef>
#include <span>

#include "story/model.hpp"

namespace story::inline TRAMONTALIA_EDITION {

inline constexpr PassageId first_passage = PassageId::circular_room;

const Passage& passage(PassageId id);

// Every passage, in the order of PassageId.
std::span<const Passage* const> passages();

inline constexpr std::size_t ending_count = 19;

struct Ending {
  PassageId passage;
  Text title;
};

// Every ending, numbered in story order: passages in PassageId order, and
// within a passage its gated pages in page order, then its closing.
std::span<const Ending> endings();

// The number of a passage's `which`-th ending, counted as above from 0.
std::size_t ending_number(PassageId passage, std::size_t which);

}  // namespace story::inline TRAMONTALIA_EDITION
