#include "runs/pass_conditions.h"

#include "fake_game/fake_game.h"

namespace world {

PassConditions passConditions(const SimWorld& town, int32_t later) {
  const Gates& gates = town.gates;
  const int hour = town.clockHour(later);
  // Either lockdown stops the work wherever the player is; other regions' do not.
  const uint32_t rhodes = substitute::FakeGame::hashName("LAW_REGION_RHODES_LOCKDOWN");
  const uint32_t valentine = substitute::FakeGame::hashName("LAW_REGION_VALENTINE_LOCKDOWN");
  const bool lockedDown = gates.lockedDownRegion == rhodes || gates.lockedDownRegion == valentine;
  PassConditions conditions;
  conditions.working = hour >= 6 && !gates.playerGateClosed && !gates.gameGateClosed &&
                       !gates.positionGateClosed && !lockedDown;
  conditions.townKey = town.town().key;
  return conditions;
}

}  // namespace world
