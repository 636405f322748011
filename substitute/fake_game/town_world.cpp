#include "fake_game/town_world.h"

namespace substitute {

float squaredDistance(Point a, Point b) {
  const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return dx * dx + dy * dy + dz * dz;
}

void TownWorld::install(FakeGame& game) {
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
    const Point at = handle == player ? playerPosition : ped != peds.end() ? ped->second.position : Point{};
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
    const Point a{call.args[0].f(), call.args[1].f(), call.args[2].f()};
    const Point b{call.args[3].f(), call.args[4].f(), call.args[5].f()};
    answer.setFloat(squaredDistance(a, b));
  });
  game.on("nearbyPeds", [this](const NativeCall& call, Answer& answer) {
    FakeGame::fillNearby(call, answer, nearby, nearbyCount.value_or(static_cast<int32_t>(nearby.size())));
  });
  auto nearestPost = [this](const NativeCall& call) {
    const Point at{call.args[0].f(), call.args[1].f(), call.args[2].f()};
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
  installOrders(game);
}

// Orders take effect at once, as far as the plug-in can see; a performed
// sequence plays all its steps at once, in order.
void TownWorld::installOrders(FakeGame& game) {
  auto onPed = [this, &game](const char* native, auto effect) {
    game.on(native, [this, effect](const NativeCall& call, Answer&) {
      const auto ped = peds.find(call.args[0].i());
      if (ped != peds.end()) effect(ped->second, call);
    });
  };
  auto walk = [this](PedState& ped, const NativeCall& call) {
    if (walkArrivesAtOnce) ped.position = {call.args[1].f(), call.args[2].f(), call.args[3].f()};
  };
  auto getOff = [](PedState& ped, const NativeCall&) {
    ped.riding = false;
    ped.mount = 0;
  };
  onPed("taskGoTo", walk);
  onPed("taskTurnTo", [](PedState& ped, const NativeCall& call) { ped.heading = call.args[1].f(); });
  onPed("taskMount", [](PedState& ped, const NativeCall& call) {
    ped.riding = true;
    ped.mount = call.args[1].i();
  });
  onPed("taskHitch", getOff);
  onPed("taskDismount", getOff);
  onPed("performSequence", [walk, getOff](PedState& ped, const NativeCall& call) {
    for (const NativeCall& step : call.steps) step.name() == "taskGoTo" ? walk(ped, step) : getOff(ped, step);
  });
}

}  // namespace substitute
