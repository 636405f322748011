#include "visit/visit_tables.h"

namespace quillhaven {

std::map<std::string, Entity, std::less<>> SpotVisitors;
std::map<Entity, bool> WalkingToSpot;
std::map<Entity, int32_t> WalkingSince;
std::map<Entity, int32_t> AtSpotSince;
std::map<Entity, bool> LeavingVisitors;
std::map<Entity, int32_t> LeavingSince;
std::map<Entity, Entity> VisitorMounts;
std::map<Entity, bool> WeaponBuyers;
std::unordered_set<Entity> RecruitedPeds;

bool onRunningVisit(Entity ped) {
  for (const auto& visit : SpotVisitors) {
    if (visit.second == ped) return true;
  }
  return false;
}

void forgetVisitorEntries(Entity ped) {
  WalkingToSpot.erase(ped);
  WalkingSince.erase(ped);
  AtSpotSince.erase(ped);
  LeavingVisitors.erase(ped);
  LeavingSince.erase(ped);
  VisitorMounts.erase(ped);
  WeaponBuyers.erase(ped);
}

void endVisit(std::string_view spotName) {
  const auto visit = SpotVisitors.find(spotName);
  if (visit == SpotVisitors.end()) return;
  const Entity visitor = visit->second;
  SpotVisitors.erase(visit);
  forgetVisitorEntries(visitor);
}

}  // namespace quillhaven
