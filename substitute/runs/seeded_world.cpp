#include "runs/seeded_world.h"

#include <cstdio>
#include <utility>

#include "fake_game/call_digest.h"
#include "fake_game/native_table.h"
#include "profile/profile_int.h"
#include "runs/plugin_run.h"
#include "runs/settings_variant.h"
#include "town/rng.h"

namespace world {

namespace {

constexpr size_t violationsShown = 12;  // the first few tell the story

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

template <typename... Values>
std::string formatted(const char* format, Values... values) {
  char text[512];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

}  // namespace

int32_t worldSetting(const char* key, int32_t otherwise) {
  return static_cast<int32_t>(substitute::readProfileInt("General", key, otherwise, ".\\Quillhaven.ini"));
}

SeededWorld::Draws SeededWorld::drawsOf(uint64_t seed) {
  Rng choices(seed);
  const auto places = towns();
  Draws draws{};
  draws.place = &places[static_cast<size_t>(choices.below(static_cast<int>(places.size())))];
  draws.townsfolk = 10 + choices.below(160);  // more than the game's nearby list holds, at times
  draws.startMinute = choices.below(24 * 60);
  return draws;
}

SeededWorld::SeededWorld(uint64_t seed)
    : seed_(seed),
      draws_(drawsOf(seed)),
      town_({*draws_.place, seed, draws_.townsfolk, draws_.startMinute}),
      chaos_(town_, seed ^ 0xC4A05C4A05ull),
      digest_(substitute::emptyDigest) {}

int SeededWorld::run(substitute::ScriptHost& host, const WorldRun& run) {
  const TableChecks* tables = run.tables;
  host.game.onCall = [&](const substitute::NativeCall& call) {
    if (tables != nullptr && passes_ > 0) tables->observe(call);
    orders_.observe(call, passes_);
    digest_ = substitute::digestCall(digest_, call);
    called_.set(static_cast<size_t>(call.info - substitute::nativeTable().data()));
    if (run.trace)
      run.write(formatted("pass %lld  ", static_cast<long long>(passes_)) + traceLine(call) + '\n');
  };
  host.onWait = [&](uint32_t milliseconds) {
    orders_.beforeWait(host.game.sequences(), passes_);
    if (milliseconds == passWait) {
      if (tables != nullptr && passes_ > 0) tables->afterPass(passes_);
      chaos_.strike(milliseconds, true);
      if (tables != nullptr) tables->beforePass(milliseconds);
      ++passes_;
    } else {
      chaos_.strike(milliseconds, false);  // during a leave-taking: only peds and horses
    }
    town_.advance(static_cast<int32_t>(milliseconds));
    if (tables != nullptr && tables->afterWait) tables->afterWait(milliseconds);
  };
  prepareGame(host, town_, seed_);
  run.startScript(host);
  runFor(host, static_cast<int64_t>(run.hours * gameHour),
         {.afterEachWait = {}, .stopWanted = [&] { return host.game.rejectionCount > 0; }});
  if (tables != nullptr && passes_ > 0) tables->afterPass(passes_);
  orders_.beforeWait(host.game.sequences(), passes_);
  host.game.onCall = nullptr;
  host.onWait = nullptr;
  return report(host.game, run) == 0 ? 0 : 1;
}

uint64_t SeededWorld::report(const substitute::FakeGame& game, const WorldRun& run) const {
  std::vector<std::string> violations;
  if (run.tables != nullptr) violations = run.tables->violations();
  violations.insert(violations.end(), orders_.violations().begin(), orders_.violations().end());
  const uint64_t count = violations.size() + game.rejectionCount;
  for (std::string& rejection : rejectionsOf(game, passes_)) violations.push_back(std::move(rejection));
  run.write(formatted(
      "seed %llu: %s, %d townsfolk, from %s, Cooldown=%d, AllowShopkeeperVisits=%d, Log=%d%s, %lld passes, "
      "%llu violations, trace %016llx\n",
      static_cast<unsigned long long>(seed_), std::string(draws_.place->display).c_str(), draws_.townsfolk,
      clockText(draws_.startMinute * 60).c_str(), static_cast<int>(worldSetting("Cooldown", 60000)),
      worldSetting("AllowShopkeeperVisits", 1) != 0 ? 1 : 0, worldSetting("Log", 0) != 0 ? 1 : 0,
      worldSwitchedOff().reportText().c_str(), static_cast<long long>(passes_),
      static_cast<unsigned long long>(count), static_cast<unsigned long long>(digest_)));
  for (size_t index = 0; index < violations.size() && index < violationsShown; ++index) {
    run.write("  " + violations[index] + '\n');
  }
  if (count > 0)
    run.write("  faults drawn: " + chaos_.tally().describe() + "; " + settingsText(seed_) + '\n');
  run.write(formatted("%s%llx\n", nativesCalledLine, static_cast<unsigned long long>(called_.to_ullong())));
  return count;
}

}  // namespace world
