// A fake game set up the way the plug-in wants it: daytime, every gate open,
// the player standing in a chosen town among townsfolk whose every property a
// test can set. A test changes the fields between passes; the answers follow
// at once. (The law-region lockdown is the fake game's script global 1934292.)
#pragma once

#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/fake_game.h"
#include "game/vec3.h"

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
  quillhaven::Vec3 position;
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
  quillhaven::Vec3 playerPosition{-297.0f, 791.0f, 118.0f};  // Valentine's main street

  std::map<int32_t, PedState> peds;    // everyone but the player
  std::vector<int32_t> nearby;         // what the game lists near anyone, in its order
  std::optional<int32_t> nearbyCount;  // the count it reports, if not the list's length
  std::map<int32_t, quillhaven::Vec3> hitchingPosts;

  void install(substitute::FakeGame& game);

  // A ped that passes every test, standing at the point.
  PedState& addPed(int32_t handle, quillhaven::Vec3 position) {
    nearby.push_back(handle);
    PedState& ped = peds[handle];
    ped.position = position;
    return ped;
  }
};

inline float squaredDistance(quillhaven::Vec3 a, quillhaven::Vec3 b) {
  const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return dx * dx + dy * dy + dz * dz;
}

inline void TownWorld::install(substitute::FakeGame& game) {
  using quillhaven::Vec3;
  using substitute::Answer;
  using substitute::FakeGame;
  using substitute::NativeCall;
  auto pedAnswer = [this, &game](const char* native, auto property) {
    game.on(native, [this, property](const NativeCall& call, Answer& answer) {
      const auto ped = peds.find(call.args[0].i());
      if (ped != peds.end()) answer.setInt(static_cast<int32_t>(property(ped->second)));
    });
  };
  game.on("clockHour", [this](const NativeCall&, Answer& answer) { answer.setInt(hour); });
  game.on("gateTest", [this](const NativeCall&, Answer& answer) { answer.setBool(playerGateClosed); });
  game.on("gateFlag", [this](const NativeCall&, Answer& answer) { answer.setBool(gameGateClosed); });
  game.on("positionGate", [this](const NativeCall&, Answer& answer) { answer.setInt(positionGate); });
  game.on("playerPed", [this](const NativeCall&, Answer& answer) { answer.setInt(player); });
  game.on("townTest", [this](const NativeCall& call, Answer& answer) {
    for (const std::string& zone : playerZones) {
      if (call.args[0].u() == FakeGame::hashName(zone)) answer.setInt(zoneAnswer);
    }
  });
  game.on("entityPosition", [this](const NativeCall& call, Answer& answer) {
    const int32_t handle = call.args[0].i();
    const auto ped = peds.find(handle);
    const Vec3 at = handle == player ? playerPosition : ped != peds.end() ? ped->second.position : Vec3{};
    answer.setVec3(at.x, at.y, at.z);
  });
  game.on("entityExists", [this](const NativeCall& call, Answer& answer) {
    const int32_t handle = call.args[0].i();
    const auto ped = peds.find(handle);
    answer.setBool(handle == player || (ped != peds.end() && ped->second.exists));
  });
  pedAnswer("entityDead", [](const PedState& ped) { return ped.dead; });
  pedAnswer("entityModel", [](const PedState& ped) { return ped.model; });
  game.on("entityHeading", [this](const NativeCall& call, Answer& answer) {
    const auto ped = peds.find(call.args[0].i());
    if (ped != peds.end()) answer.setFloat(ped->second.heading);
  });
  pedAnswer("pedRelationshipGroup", [](const PedState& ped) { return ped.group; });
  pedAnswer("pedDisposition", [](const PedState& ped) { return ped.disposition; });
  pedAnswer("pedRejectTest1", [](const PedState& ped) { return ped.rejected1; });
  pedAnswer("pedRejectTest2", [](const PedState& ped) { return ped.rejected2; });
  pedAnswer("pedRejectTest3", [](const PedState& ped) { return ped.rejected3; });
  pedAnswer("pedRequireTest", [](const PedState& ped) { return ped.required; });
  pedAnswer("pedIsRiding", [](const PedState& ped) { return ped.riding; });
  pedAnswer("pedMount", [](const PedState& ped) { return ped.mount; });
  pedAnswer("pedIsMale", [](const PedState& ped) { return ped.male; });
  pedAnswer("pedIsSpeaking", [](const PedState& ped) { return ped.speaking; });
  pedAnswer("visitHoldTest", [](const PedState& ped) { return ped.held; });
  game.on("pointDistance", [](const NativeCall& call, Answer& answer) {
    const Vec3 a{call.args[0].f(), call.args[1].f(), call.args[2].f()};
    const Vec3 b{call.args[3].f(), call.args[4].f(), call.args[5].f()};
    answer.setFloat(squaredDistance(a, b));
  });
  game.on("nearbyPeds", [this](const NativeCall& call, Answer& answer) {
    FakeGame::fillNearby(call, answer, nearby, nearbyCount.value_or(static_cast<int32_t>(nearby.size())));
  });
  auto nearestPost = [this](const NativeCall& call) {
    const Vec3 at{call.args[0].f(), call.args[1].f(), call.args[2].f()};
    const float radius = call.args[4].f();
    int32_t nearest = 0;
    float nearestDistance = radius * radius;
    if (call.args[3].u() != FakeGame::hashName("PROP_HITCHINGPOST")) return nearest;
    for (const auto& [post, position] : hitchingPosts) {
      const float distance = squaredDistance(at, position);
      if (distance <= nearestDistance) {
        nearest = post;
        nearestDistance = distance;
      }
    }
    return nearest;
  };
  game.on("objectNearPoint",
          [nearestPost](const NativeCall& call, Answer& answer) { answer.setBool(nearestPost(call) != 0); });
  game.on("closestObject",
          [nearestPost](const NativeCall& call, Answer& answer) { answer.setInt(nearestPost(call)); });
}
