// A fake game set up the way the main loop wants it: daytime, every gate
// open, the player standing in a chosen town. A test changes the fields
// between passes; the answers follow at once. (The law-region lockdown is
// the script global 1934292 of the fake game itself.)
#pragma once

#include <set>
#include <string>

#include "game/fake_game.h"
#include "game/vec3.h"

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

  void install(substitute::FakeGame& game);
};

inline void TownWorld::install(substitute::FakeGame& game) {
  using substitute::Answer;
  using substitute::FakeGame;
  using substitute::NativeCall;
  game.on("clockHour", [this](const NativeCall&, Answer& answer) { answer.setInt(hour); });
  game.on("gateTest", [this](const NativeCall&, Answer& answer) { answer.setBool(playerGateClosed); });
  game.on("gateFlag", [this](const NativeCall&, Answer& answer) { answer.setBool(gameGateClosed); });
  game.on("positionGate", [this](const NativeCall&, Answer& answer) { answer.setInt(positionGate); });
  game.on("playerPed", [this](const NativeCall&, Answer& answer) { answer.setInt(player); });
  game.on("entityPosition", [this](const NativeCall& call, Answer& answer) {
    if (call.args[0].i() == player) answer.setVec3(playerPosition.x, playerPosition.y, playerPosition.z);
  });
  game.on("townTest", [this](const NativeCall& call, Answer& answer) {
    for (const std::string& zone : playerZones) {
      if (call.args[0].u() == FakeGame::hashName(zone)) answer.setInt(zoneAnswer);
    }
  });
}
