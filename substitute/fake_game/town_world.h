// A small world for the fake game: daytime, every gate open, the player
// standing in a chosen town among townsfolk whose every property can be set.
// Orders take effect at once: a walk arrives, a turn faces the heading, a
// mount is sat on, a performed sequence's steps are done. Change the fields
// between passes; the answers follow at once. (The law-region lockdown is the
// fake game's script global 1934292.)
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fake_game/fake_game.h"

namespace substitute {

// A point in the world, metres.
struct Point {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

struct PedState {
  bool exists = true;
  bool dead = false;
  uint32_t model = 0;
  uint32_t group = 0;
  uint32_t disposition = 0;
  bool rejected1 = false;  // what the three rejecting tests answer
  bool rejected2 = false;
  bool rejected3 = false;
  bool required = true;  // what the requiring test answers
  bool riding = false;
  int32_t mount = 0;
  bool male = true;
  bool speaking = false;
  bool held = false;  // what the visit's hold test answers
  Point position;
  float heading = 0.0f;
};

struct TownWorld {
  int32_t hour = 12;
  bool playerGateClosed = false;  // what gateTest answers
  bool gameGateClosed = false;    // what gateFlag answers
  int32_t positionGate = 1;
  // Zone names whose town test answers positive, and the answer given.
  std::set<std::string> playerZones = {"valentine"};
  int32_t zoneAnswer = 1;
  int32_t player = 1;
  Point playerPosition{-297.0f, 791.0f, 118.0f};  // Valentine's main street

  std::map<int32_t, PedState> peds;    // everyone but the player
  std::vector<int32_t> nearby;         // what the game lists near anyone, in its order
  std::optional<int32_t> nearbyCount;  // the count it reports, if not the list's length
  std::map<int32_t, Point> hitchingPosts;
  bool walkArrivesAtOnce = true;  // false: an ordered walk leaves the ped where it is

  // Answers the game's questions from this world, and lets orders change it.
  void install(FakeGame& game);

  // A ped that passes every test, standing at the point, listed near everyone.
  PedState& addPed(int32_t handle, Point position) {
    nearby.push_back(handle);
    PedState& ped = peds[handle];
    ped.position = position;
    return ped;
  }

 private:
  void installOrders(FakeGame& game);
};

float squaredDistance(Point a, Point b);

}  // namespace substitute
