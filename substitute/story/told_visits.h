// The visits a text tells, by number: the plug-in's Quillhaven.log, or the
// simulator's timeline, which writes visits in the same words. Held against
// the visit follower's own account of the calls, they show whether the log
// tells each visit as it happened.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "story/visit_follower.h"

namespace world {

struct ToldVisit {
  int32_t ped = 0;
  std::string arrival;    // "on foot", "hitched at a post", "dismounted"
  std::string sentTo;     // a spot, or spots that share a place: "VALENTINE_GUNSMITH_5 or _6"
  std::string arrivedAt;  // empty for a visit that never began its scenario
  // "is complete", "is given up", "is dropped", or "ends: " and why ("the
  // visitor is gone", "its horse is dead", "the visitor did not leave within a
  // minute")
  std::string ending = "running";
};

// Lines about anything but a visit are left out.
std::map<int, ToldVisit> visitsTold(std::string_view text);

// "SAINT_DENIS_GENERAL_STORE_5, _6 or _7" as the three spots' names.
std::vector<std::string> spotsIn(const std::string& sentTo);

// Where the told visits and the followed ones differ, one line each; empty
// when they tell the same visits: number, ped, arrival, spot, how it ended.
std::vector<std::string> toldApart(const std::map<int, ToldVisit>& told, const std::vector<Visit>& followed);

}  // namespace world
