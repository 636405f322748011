#include "visit/visit_tables.h"

namespace quillhaven {

std::map<std::string, Entity, std::less<>> SpotVisitors;
std::map<Entity, bool> WalkingToSpot;
std::map<Entity, int32_t> WalkingSince;
std::map<Entity, int32_t> AtSpotSince;
std::map<Entity, bool> LeavingVisitors;
std::map<Entity, Entity> VisitorMounts;
std::map<Entity, bool> WeaponBuyers;
std::unordered_set<Entity> RecruitedPeds;

}  // namespace quillhaven
