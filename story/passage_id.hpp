// Every passage of the story, by region. The list gives the enum and the
// names used by tools that show the story's shape.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "story/text.hpp"

// One region a line.
// clang-format off
#define TRAMONTALIA_PASSAGES(X)                                                             \
  X(circular_room)                                                                          \
  X(wall_opening) X(threshold_approach) X(desert) X(flood) X(swim_to_island)                \
  X(float_and_drown) X(opening_refused)                                                     \
  X(mattress_fall) X(door_hatch) X(sea_plunge) X(hatch_refused) X(run_plain) X(door_search) \
  X(keep_running) X(stand_still)                                                            \
  X(deep_sinking) X(bus_next_stop) X(bus_driver_killed) X(bus_kiss) X(bus_window)           \
  X(plane_wakeup) X(ask_passenger) X(seat_rampage) X(lavatory)                              \
  X(call_attendant) X(attendant_mixed) X(attendant_male) X(attendant_female) X(juice)       \
  X(juice_drunk) X(juice_refused) X(insult_reply) X(rough_encounter) X(attendant_punched)   \
  X(cockpit) X(zombie_cabin) X(back_to_seat) X(nose_dive) X(race_to_finish) X(leave_car)    \
  X(future_city) X(city_groping) X(city_beating) X(city_watching) X(city_arrest)            \
  X(home_bed)
// clang-format on

namespace story::inline TRAMONTALIA_EDITION {

#define TRAMONTALIA_ENUMERATOR(name) name,
enum class PassageId : std::uint8_t { TRAMONTALIA_PASSAGES(TRAMONTALIA_ENUMERATOR) };
#undef TRAMONTALIA_ENUMERATOR

#define TRAMONTALIA_NAME(name) #name,
inline constexpr std::string_view passage_names[] = {TRAMONTALIA_PASSAGES(TRAMONTALIA_NAME)};
#undef TRAMONTALIA_NAME

inline constexpr std::size_t passage_count = std::size(passage_names);

constexpr std::size_t index_of(PassageId id) {
  return static_cast<std::size_t>(id);
}
constexpr std::string_view name_of(PassageId id) {
  return passage_names[index_of(id)];
}

}  // namespace story::inline TRAMONTALIA_EDITION
