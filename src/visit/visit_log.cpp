#include "visit/visit_log.h"

#include <array>
#include <cstdint>

#include "catalogue/spot_catalogue.h"
#include "catalogue/town_resolution.h"
#include "entry/log_file.h"
#include "game/assertion.h"
#include "visit/visit_tables.h"

namespace quillhaven {

namespace {

// A running visit's number, by its spot: one slot per spot of the catalogue,
// so that numbering a visit never allocates.
struct NumberedVisit {
  std::string_view spot;  // the catalogue's own text; empty for a free slot
  uint32_t number = 0;
};

std::array<NumberedVisit, MaxRunningVisits> numberedVisits;
uint32_t visitsStarted = 0;

NumberedVisit* numberedVisit(std::string_view spotName) {
  for (NumberedVisit& visit : numberedVisits) {
    if (!visit.spot.empty() && visit.spot == spotName) return &visit;
  }
  return nullptr;
}

NumberedVisit* freeSlot() {
  for (NumberedVisit& visit : numberedVisits) {
    if (visit.spot.empty()) return &visit;
  }
  return nullptr;
}

// 0 for a visit the log never saw start.
uint32_t numberOf(std::string_view spotName) {
  const NumberedVisit* visit = numberedVisit(spotName);
  return visit == nullptr ? 0 : visit->number;
}

uint32_t forgetNumber(std::string_view spotName) {
  NumberedVisit* visit = numberedVisit(spotName);
  if (visit == nullptr) return 0;
  const uint32_t number = visit->number;
  *visit = NumberedVisit{};
  return number;
}

int handle(Entity ped) { return static_cast<int>(ped); }

int nameLength(std::string_view name) { return static_cast<int>(name.size()); }

void logEnding(std::string_view spotName, Entity visitor, VisitEnding ending) {
  const uint32_t number = forgetNumber(spotName);
  switch (ending) {
    case VisitEnding::complete:
      return logLine("visit %u is complete", number);
    case VisitEnding::givenUp:
      return logLine("visit %u is given up: %d did not reach %.*s in time", number, handle(visitor),
                     nameLength(spotName), spotName.data());
    case VisitEnding::visitorGone:
      return logLine("visit %u ends: the visitor is gone", number);
    case VisitEnding::horseDead:
      return logLine("visit %u ends: its horse is dead", number);
    case VisitEnding::leavingTimedOut:
      return logLine("visit %u ends: the visitor did not leave within a minute", number);
    case VisitEnding::dropped: {
      const std::string_view town = townNameOfSpot(spotName);
      return logLine("visit %u is dropped: the player left %.*s", number, nameLength(town), town.data());
    }
  }
}

}  // namespace

void logVisitSent(const StoreSpot& spot, Entity visitor, const char* howItCame) {
  if (!logging()) return;
  const uint32_t number = ++visitsStarted;
  NumberedVisit* slot = numberedVisit(spot.name);
  if (slot == nullptr) slot = freeSlot();
  // One slot per spot of the catalogue, and a spot runs one visit at a time.
  QUILLHAVEN_ASSERT(slot != nullptr);
  if (slot != nullptr) *slot = {spot.name, number};
  logLine("visit %u: %d, %s, is sent to %s", number, handle(visitor), howItCame, spot.name);
}

void logVisitArrived(const StoreSpot& spot, Entity visitor) {
  if (!logging()) return;
  logLine("visit %u: %d arrives at %s and starts %s", numberOf(spot.name), handle(visitor), spot.name,
          spot.scenarioName);
}

void logVisitThanks(std::string_view spotName, Entity visitor) {
  if (!logging()) return;
  logLine("visit %u: %d says \"GENERIC_THANKS\"", numberOf(spotName), handle(visitor));
}

void logWeaponHandedOver(std::string_view spotName, Entity visitor, const char* weapon) {
  if (!logging()) return;
  logLine("visit %u: %d is handed a %s", numberOf(spotName), handle(visitor), weapon);
}

void finishVisit(std::string_view spotName, Entity visitor, VisitEnding ending) {
  if (logging()) logEnding(spotName, visitor, ending);
  endVisit(spotName);
}

}  // namespace quillhaven
