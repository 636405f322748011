#include "town/chaos.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "fake_game/fake_game.h"

namespace world {

namespace {

constexpr double gameMinute = 2000.0;  // ms

}  // namespace

Chaos::Chaos(SimWorld& world, uint64_t seed, ChaosRates rates) : world_(world), rng_(seed), rates_(rates) {}

int32_t Chaos::anyPerson(bool shopkeepers) {
  const auto& people = world_.people();
  if (people.empty()) return 0;
  auto chosen = people.begin();
  std::advance(chosen, rng_.below(static_cast<int>(people.size())));
  return chosen->second.shopkeeper == shopkeepers ? chosen->first : 0;
}

// A rider who took leave with its horse waiting speaks its thanks, then
// walks back to the horse and gets on.
int32_t Chaos::horseWaitedFor(bool takingLeaveToo) {
  std::vector<int32_t> horses;
  for (const auto& [handle, person] : world_.people()) {
    const auto horse = world_.horses().find(person.horse);
    if (person.riding || horse == world_.horses().end() || !horse->second.alive || horse->second.taken)
      continue;
    const bool gettingOn = std::any_of(person.tasks.begin(), person.tasks.end(),
                                       [](const Task& task) { return task.kind == Task::Kind::mountUp; });
    const bool takingLeave = takingLeaveToo && person.directed && world_.now() - person.speakingUntil < 0;
    if (gettingOn || takingLeave) horses.push_back(person.horse);
  }
  return horses.empty() ? 0 : horses[static_cast<size_t>(rng_.below(static_cast<int>(horses.size())))];
}

void Chaos::journey() {
  const auto places = towns();
  world_.travelTo(places[static_cast<size_t>(rng_.below(static_cast<int>(places.size())))]);
}

void Chaos::flipGates() {
  Gates& gates = world_.gates;
  switch (rng_.below(3)) {
    case 0:
      gates.playerGateClosed = !gates.playerGateClosed;
      break;
    case 1:
      gates.gameGateClosed = !gates.gameGateClosed;
      break;
    default:
      gates.positionGateClosed = !gates.positionGateClosed;
      break;
  }
}

void Chaos::strike(int32_t milliseconds, bool betweenPasses) {
  const double minutes = milliseconds / gameMinute;
  auto happens = [&](double perMinute) { return rng_.chance(perMinute * minutes); };
  if (betweenPasses) strikeTheWorld(happens);
  // Something befalls a ped drawn from the townsfolk (or the shopkeepers);
  // the draw may find none, and then nothing befalls anyone.
  auto befalls = [&](double perMinute, int& tally, bool shopkeepers, auto what) {
    if (!happens(perMinute)) return;
    const int32_t someone = anyPerson(shopkeepers);
    what(someone);
    tally += someone != 0;
  };
  befalls(rates_.vanish, tally_.vanishings, false, [&](int32_t ped) { world_.vanish(ped); });
  befalls(rates_.death, tally_.deaths, false, [&](int32_t ped) { world_.kill(ped); });
  if (happens(rates_.respawn)) tally_.reusedHandles += world_.respawn();
  if (happens(rates_.horseLoss) && !world_.horses().empty()) {
    auto horse = world_.horses().begin();
    std::advance(horse, rng_.below(static_cast<int>(world_.horses().size())));
    rng_.chance(0.5) ? world_.kill(horse->first) : world_.vanish(horse->first);
    ++tally_.horsesLost;
  }
  if (happens(rates_.horseDeathAtMounting)) {
    const int32_t horse = horseWaitedFor(false);
    if (horse != 0) world_.kill(horse);
    tally_.horsesDeadAtMounting += horse != 0;
  }
  if (happens(rates_.horseTheft)) {
    const int32_t horse = horseWaitedFor(true);
    if (horse != 0) world_.takeAway(horse);
    tally_.horsesTaken += horse != 0;
  }
  befalls(rates_.shopTalk, tally_.shopTalks, true, [&](int32_t keeper) { world_.speak(keeper); });
  befalls(rates_.dawdler, tally_.paceChanges, false,
          [&](int32_t ped) { world_.slowDown(ped, rng_.chance(0.5) ? 0.15f : 1.0f); });
}

template <typename Happens>
void Chaos::strikeTheWorld(Happens happens) {
  if (happens(rates_.journey)) {
    journey();
    ++tally_.journeys;
  }
  if (happens(rates_.gateFlip)) {
    flipGates();
    ++tally_.gateFlips;
  }
  if (happens(rates_.lockdownFlip)) {
    static constexpr const char* lockdowns[] = {"LAW_REGION_RHODES_LOCKDOWN", "LAW_REGION_VALENTINE_LOCKDOWN",
                                                "LAW_REGION_SOMEWHERE_ELSE"};
    world_.gates.lockedDownRegion =
        world_.gates.lockedDownRegion != 0 ? 0 : substitute::FakeGame::hashName(lockdowns[rng_.below(3)]);
    ++tally_.lockdownFlips;
  }
  if (happens(rates_.holdFlip)) {
    const int32_t someone = anyPerson(false);
    if (const Person* person = world_.person(someone)) {
      world_.hold(someone, !person->held);
      ++tally_.holdFlips;
    }
  }
}

std::string ChaosTally::describe() const {
  const std::pair<int, const char*> counts[] = {{journeys, "journeys"},
                                                {gateFlips, "gate flips"},
                                                {lockdownFlips, "lockdown flips"},
                                                {vanishings, "vanishings"},
                                                {deaths, "deaths"},
                                                {reusedHandles, "reused handles"},
                                                {horsesLost, "horses lost"},
                                                {horsesDeadAtMounting, "horses dead as their riders got on"},
                                                {horsesTaken, "horses ridden away"},
                                                {holdFlips, "holds and releases"},
                                                {shopTalks, "shopkeepers talking"},
                                                {paceChanges, "dawdlers and recoveries"}};
  std::string text;
  for (const auto& [count, what] : counts) {
    text += (text.empty() ? "" : ", ") + std::string(what) + ' ' + std::to_string(count);
  }
  return text;
}

}  // namespace world
