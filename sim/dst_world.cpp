#include "dst_world.h"

#include <bitset>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "game/call_digest.h"
#include "host/script_host.h"
#include "profile/profile_int.h"
#include "world/chaos.h"
#include "world/invariants.h"
#include "world/order_checks.h"
#include "world/plugin_run.h"
#include "world/rng.h"
#include "world/sim_world.h"
#include "world/timeline.h"

namespace dst {

namespace {

constexpr size_t violationsShown = 12;  // the first few tell the story

world::PassConditions conditionsOf(const world::SimWorld& town, uint32_t upcoming) {
  const world::Gates& gates = town.gates;
  const int hour = town.clockHour(static_cast<int32_t>(upcoming));
  const uint32_t rhodes = substitute::FakeGame::hashName("LAW_REGION_RHODES_LOCKDOWN");
  const uint32_t valentine = substitute::FakeGame::hashName("LAW_REGION_VALENTINE_LOCKDOWN");
  const bool lockedDown = gates.lockedDownRegion == rhodes || gates.lockedDownRegion == valentine;
  world::PassConditions conditions;
  conditions.working = hour >= 6 && !gates.playerGateClosed && !gates.gameGateClosed &&
                       !gates.positionGateClosed && !lockedDown;
  conditions.townKey = town.town().key;
  return conditions;
}

// A call the game rejects ends the world: the plug-in pushed what the game
// cannot read, or named a native that does not exist.
std::vector<std::string> rejectionsOf(const substitute::FakeGame& game, int64_t pass) {
  std::vector<std::string> found;
  for (const std::string& reason : game.rejections) {
    found.push_back("pass " + std::to_string(pass) + ": the game rejected a call: " + reason);
  }
  if (game.rejectionCount > game.rejections.size()) {
    found.push_back("pass " + std::to_string(pass) + ": and " +
                    std::to_string(game.rejectionCount - game.rejections.size()) + " more rejected calls");
  }
  return found;
}

// The lines of a seed's Quillhaven.ini, if it has one.
std::optional<std::pair<std::string, std::string>> settingLines(uint64_t seed) {
  world::Rng rng(seed * 0x9E3779B97F4A7C15ull + 7);
  static constexpr const char* cooldowns[] = {"0", "-30000", "2000000000", "15000", "60000"};
  const int variant = rng.below(6);
  if (variant == 5) return std::nullopt;
  const char* allowed = rng.chance(0.3) ? "0" : "1";
  return std::pair{std::string("Cooldown=") + cooldowns[variant],
                   std::string("AllowShopkeeperVisits=") + allowed};
}

std::string settingsText(uint64_t seed) {
  const auto lines = settingLines(seed);
  return lines ? "Quillhaven.ini " + lines->first + ' ' + lines->second : "no Quillhaven.ini";
}

}  // namespace

std::optional<std::string> settingsFor(uint64_t seed) {
  const auto lines = settingLines(seed);
  if (!lines) return std::nullopt;
  return "[General]\r\n" + lines->first + "\r\n" + lines->second + "\r\n";
}

int runWorld(uint64_t seed, double hours, bool trace) {
  world::Rng choices(seed);
  const auto places = world::towns();
  const world::Town& place = places[static_cast<size_t>(choices.below(static_cast<int>(places.size())))];
  const int townsfolk = 10 + choices.below(160);  // more than the game's nearby list holds, at times
  const int startMinute = choices.below(24 * 60);

  substitute::ScriptHost& host = substitute::host();
  world::SimWorld town({place, seed, townsfolk, startMinute});
  world::Chaos chaos(town, seed ^ 0xC4A05C4A05ull);
  std::optional<world::Invariants> invariants;  // reads the visit tables, which the script's start makes
  world::OrderChecks orders;
  uint64_t digest = substitute::emptyDigest;
  std::bitset<64> called;
  int64_t passes = 0;
  host.game.onCall = [&](const substitute::NativeCall& call) {
    if (invariants) invariants->observe(call);
    orders.observe(call, passes);
    digest = substitute::digestCall(digest, call);
    called.set(static_cast<size_t>(call.info - substitute::nativeTable().data()));
    if (trace)
      std::printf("pass %lld  %s\n", static_cast<long long>(passes), substitute::traceLine(call).c_str());
  };
  host.onWait = [&](uint32_t milliseconds) {
    if (milliseconds == world::passWait) {
      if (passes > 0) invariants->afterPass(passes);
      chaos.strike(milliseconds, true);
      invariants->beforePass(conditionsOf(town, milliseconds));
      ++passes;
    } else {
      chaos.strike(milliseconds, false);  // during a leave-taking: only peds and horses
    }
    town.advance(static_cast<int32_t>(milliseconds));
  };
  world::startPlugin(host, town, seed);
  invariants.emplace(town);
  world::runFor(host, static_cast<int64_t>(hours * world::gameHour),
                {.afterEachWait = {}, .stopWanted = [&] { return host.game.rejectionCount > 0; }});
  if (passes > 0) invariants->afterPass(passes);

  std::vector<std::string> violations = invariants->violations();
  violations.insert(violations.end(), orders.violations().begin(), orders.violations().end());
  const uint64_t violationCount = violations.size() + host.game.rejectionCount;
  for (std::string& rejection : rejectionsOf(host.game, passes)) violations.push_back(std::move(rejection));
  // The settings as the world's own file gives them, read as the plug-in reads it.
  const auto setting = [](const char* key, int32_t otherwise) {
    return static_cast<int32_t>(substitute::readProfileInt("General", key, otherwise, ".\\Quillhaven.ini"));
  };
  std::printf(
      "seed %llu: %s, %d townsfolk, from %s, Cooldown=%d, AllowShopkeeperVisits=%d, %lld passes, "
      "%llu violations, trace %016llx\n",
      static_cast<unsigned long long>(seed), std::string(place.display).c_str(), townsfolk,
      world::clockText(startMinute * 60).c_str(), static_cast<int>(setting("Cooldown", 60000)),
      setting("AllowShopkeeperVisits", 1) != 0 ? 1 : 0, static_cast<long long>(passes),
      static_cast<unsigned long long>(violationCount), static_cast<unsigned long long>(digest));
  for (size_t index = 0; index < violations.size() && index < violationsShown; ++index) {
    std::printf("  %s\n", violations[index].c_str());
  }
  if (violationCount > 0) {
    std::printf("  faults drawn: %s; %s\n", chaos.tally().describe().c_str(), settingsText(seed).c_str());
  }
  std::printf("%s%llx\n", nativesCalledLine, static_cast<unsigned long long>(called.to_ullong()));
  return violationCount == 0 ? 0 : 1;
}

}  // namespace dst
