// The whole story, proven sound by the compiler.
#pragma once

#include <span>

#include "story/model.hpp"

namespace story {

inline constexpr PassageId first_passage = PassageId::circular_room;

const Passage& passage(PassageId id);

// Every passage, in the order of PassageId.
std::span<const Passage* const> passages();

}  // namespace story
