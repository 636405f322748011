#include "shopkeeper/greeting.h"

#include "entry/random_source.h"
#include "game/game_time.h"
#include "shopkeeper/shopkeeper_lookup.h"

namespace quillhaven {

std::map<Entity, int32_t> GreetingTimes;

namespace {

constexpr int32_t greetingIntervalMs = 30000;  // between two greetings of one shopkeeper

bool greetedRecently(Entity shopkeeper, int32_t now) {
  const auto greeted = GreetingTimes.find(shopkeeper);
  if (greeted == GreetingTimes.end()) return false;
  return gameTimeSince(greeted->second, now) <= greetingIntervalMs;
}

// Half the greetings name the visitor's sex; a quarter each welcome it back
// or simply welcome it.
const char* greetingFor(Entity visitor) {
  if (randomSource.draw() % 2 == 1) return pedIsMale(visitor) ? "WELCOME_MALE" : "WELCOME_FEMALE";
  return randomSource.draw() % 2 == 1 ? "WELCOME_BACK" : "WELCOME";
}

}  // namespace

void greetVisitor(Entity visitor, std::string_view spotName) {
  const Entity shopkeeper = storeKeeperNear(visitor, spotName);
  if (shopkeeper == noEntity) return;
  const int32_t now = gameTimer();
  if (greetedRecently(shopkeeper, now)) return;
  if (pedIsSpeaking(shopkeeper)) return;  // and it may greet the next visitor at once
  sayLine(shopkeeper, greetingFor(visitor));
  GreetingTimes[shopkeeper] = now;
}

}  // namespace quillhaven
