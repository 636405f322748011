#include "loop/pass_log.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "catalogue/spot_catalogue.h"
#include "catalogue/town_resolution.h"
#include "entry/log_file.h"
#include "entry/settings.h"
#include "game/game_time.h"
#include "visit/visit_tables.h"

#ifndef QUILLHAVEN_VERSION
#define QUILLHAVEN_VERSION "unknown"
#endif

namespace quillhaven {

namespace {

// Why no visit starts is told at most this often while it lasts.
constexpr int32_t noVisitReminderMs = 60000;

// What the log remembers from pass to pass, so that it writes only changes.
// Started afresh with each start of the script.
struct PassLog {
  bool gatesKnown = false;
  Gate gate = Gate::open;
  std::string_view townName;  // constant text; empty before the first working pass
  bool noVisitTold = false;
  int32_t noVisitToldAt = 0;
};

PassLog passLog;

int length(std::string_view text) { return static_cast<int>(text.size()); }

void logClosedGate(const GateCheck& gates) {
  switch (gates.closed) {
    case Gate::resting:
      return logLine("resting: clock hour %d, visits run from %d:00 until midnight, game time",
                     static_cast<int>(gates.clockHour), static_cast<int>(FirstWorkingHour));
    case Gate::gateTest:
      return logLine("paused: the player is wanted by the law");
    case Gate::gateFlag:
      return logLine("paused: a mission is running");
    case Gate::positionGate:
      return logLine("paused: the player is in no town's map zone");
    case Gate::lockdownRhodes:
      return logLine("paused: lockdown of Rhodes");
    case Gate::lockdownValentine:
      return logLine("paused: lockdown of Valentine");
    case Gate::open:
      return;
  }
}

int freeSpotCount(const std::vector<StoreSpot>& spots) {
  int free = 0;
  for (const StoreSpot& spot : spots) free += SpotVisitors.contains(spot.name) ? 0 : 1;
  return free;
}

// Every kind of refusal has its words, or the build fails: a new kind
// cannot go unlogged.
constexpr const char* refusalWords(Refusal refusal) {
  switch (refusal) {
    case Refusal::gone:
      return "gone";
    case Refusal::deadOrDying:
      return "dead or dying";
    case Refusal::aPlayer:
      return "a player";
    case Refusal::heldByAScript:
      return "held by a script";
    case Refusal::inAVehicle:
      return "in a vehicle";
    case Refusal::notHuman:
      return "not human";
    case Refusal::gangMember:
      return "gang";
    case Refusal::shopkeeperRules:
      return "by the shopkeeper rules";
    case Refusal::alreadyRecruited:
      return "already recruited";
    case Refusal::onAVisit:
      return "on a visit";
    case Refusal::none:
    case Refusal::kindCount:
      break;
  }
  return nullptr;
}

constexpr bool everyRefusalHasWords() {
  for (size_t kind = 1; kind < RefusalKinds; ++kind) {
    if (refusalWords(static_cast<Refusal>(kind)) == nullptr) return false;
  }
  return true;
}
static_assert(everyRefusalHasWords(), "a refusal kind without words would go unlogged");

// Writes at `used` and moves it on; a text longer than the room is cut, never
// overrun.
template <size_t Capacity, typename... Values>
void appendTo(char (&text)[Capacity], size_t& used, const char* format, Values... values) {
  const int written = std::snprintf(text + used, Capacity - used, format, values...);
  used = std::min(used + static_cast<size_t>(std::max(written, 0)), Capacity - 1);
}

// "0 gone, 1 dead or dying, ..., 6 on a visit": every refusal, in the order
// the tests are asked. Ten counts of up to three digits fit with room to
// spare; a longer text would be cut, never overrun.
struct RefusalCounts {
  char text[320] = {};
};
RefusalCounts describeRefusals(const PickReport& report) {
  RefusalCounts counts;
  size_t used = 0;
  for (size_t kind = 1; kind < RefusalKinds; ++kind) {
    appendTo(counts.text, used, "%s%d %s", kind > 1 ? ", " : "", static_cast<int>(report.refused[kind]),
             refusalWords(static_cast<Refusal>(kind)));
  }
  return counts;
}

void logTry(int number, const PickReport& report) {
  const float metres = std::sqrt(report.playerDistanceSquared);
  if (report.spotTooFar) {
    return logLine("no visit, try %d: %s drawn, %.0f m from the player (at most %.0f m)", number,
                   report.spotName, static_cast<double>(metres), static_cast<double>(MaxPlayerToSpotMetres));
  }
  logLine("no visit, try %d: %s drawn, %.0f m from the player; %d townsfolk considered, refused: %s", number,
          report.spotName, static_cast<double>(metres), static_cast<int>(report.considered),
          describeRefusals(report).text);
}

// "switched off: SaintDenis, Doctor" by their keys in Quillhaven.ini, or
// "nothing switched off". The thirteen keys together fit.
struct SwitchedOff {
  char text[256] = "nothing switched off";
};
SwitchedOff describeSwitchedOff() {
  SwitchedOff off;
  size_t used = 0;
  auto add = [&](const Switch& each) {
    if (each.on) return;
    appendTo(off.text, used, "%s%s", used == 0 ? "switched off: " : ", ", each.key);
  };
  for (const Switch& town : TownSwitches) add(town);
  for (const Switch& kind : StoreSwitches) add(kind);
  return off;
}

// Once when the drought begins, then at most once a minute of game time.
bool timeToTellWhy() {
  if (!logging()) return false;
  const int32_t now = passGameTime.value;
  if (passLog.noVisitTold && gameTimeSince(passLog.noVisitToldAt, now) < noVisitReminderMs) return false;
  passLog.noVisitTold = true;
  passLog.noVisitToldAt = now;
  return true;
}

}  // namespace

void logStart() {
  passLog = PassLog{};
  if (!logging()) return;
  logLine("Quillhaven %s started: Cooldown=%ld AllowShopkeeperVisits=%d Log=%d; %d store spots; %s",
          QUILLHAVEN_VERSION, static_cast<long>(Cooldown), AllowShopkeeperVisits ? 1 : 0, Log ? 1 : 0,
          static_cast<int>(builtSpotCount()), describeSwitchedOff().text);
}

void logGates(const GateCheck& gates) {
  if (passLog.gatesKnown && passLog.gate == gates.closed) return;
  const bool wasClosed = passLog.gatesKnown && passLog.gate != Gate::open;
  passLog.gatesKnown = true;
  passLog.gate = gates.closed;
  if (gates.closed != Gate::open) return logClosedGate(gates);
  logLine(wasClosed ? "working again" : "working");
}

void logWhereabouts(std::string_view townName, const std::vector<StoreSpot>* spots) {
  // The name is the town table's own text, so the same town is nearly always
  // the same address; the bytes decide only when it is not.
  const bool sameText =
      townName.data() == passLog.townName.data() && townName.size() == passLog.townName.size();
  if (sameText || townName == passLog.townName) return;
  passLog.townName = townName;
  if (spots == nullptr && townName != NoTownName) {
    return logLine("in %.*s, which has no store spots: running visits wait", length(townName),
                   townName.data());
  }
  if (spots == nullptr) return logLine("in none of the towns with stores: running visits wait");
  logLine("in %.*s: %d store spots, %d free", length(townName), townName.data(),
          static_cast<int>(spots->size()), freeSpotCount(*spots));
}

void logVisitStarted() { passLog.noVisitTold = false; }

void logNoFreeSpot(std::string_view townName) {
  if (!timeToTellWhy()) return;
  logLine("no visit: no free spot in %.*s", length(townName), townName.data());
}

void logTownSwitchedOff(std::string_view townName) {
  if (!timeToTellWhy()) return;
  logLine("no visit: %.*s is switched off in Quillhaven.ini", length(townName), townName.data());
}

void logStoresSwitchedOff(std::string_view townName) {
  if (!timeToTellWhy()) return;
  logLine("no visit: every free spot in %.*s is at a kind of store switched off in Quillhaven.ini",
          length(townName), townName.data());
}

void logNoVisit(std::span<const PickReport> tries) {
  if (!timeToTellWhy()) return;
  for (size_t index = 0; index < tries.size(); ++index) logTry(static_cast<int>(index) + 1, tries[index]);
}

}  // namespace quillhaven
