// Everything the plug-in remembers about running visits and recruited
// townsfolk. There is no visit object: a visit exists while its spot's name
// is a key of SpotVisitors, and its state is its visitor's entries in the
// tables keyed by ped handle.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_set>

#include "game/natives.h"

namespace quillhaven {

// Spot name (byte-wise order, a prefix first) to the visitor on its way there,
// at it or leaving it.
extern std::map<std::string, Entity, std::less<>> SpotVisitors;

// Keyed by the visitor; handles order as signed integers.
extern std::map<Entity, bool> WalkingToSpot;    // still walking to the spot
extern std::map<Entity, int32_t> WalkingSince;  // first tick seen away from the spot, game ms
extern std::map<Entity, int32_t> AtSpotSince;   // first tick of the stay, game ms
extern std::map<Entity, bool> LeavingVisitors;  // has taken leave, getting back on its horse
extern std::map<Entity, int32_t> LeavingSince;  // first tick of leaving, game ms
extern std::map<Entity, Entity> VisitorMounts;  // the horse it rode in on
extern std::map<Entity, bool> WeaponBuyers;     // leaves the store with a weapon

// Peds recruited since the set was last emptied; emptied only as a whole.
extern std::unordered_set<Entity> RecruitedPeds;

// Whether the ped is at this moment the visitor of a running visit.
bool onRunningVisit(Entity ped);

// Forgets the ped's entries in the tables keyed by visitor (not its
// recruitment). Left behind, they would corrupt the ped's next visit, or the
// visit of a new ped that the game gives the same handle.
void forgetVisitorEntries(Entity ped);

// Ends the spot's visit, however it ends: the spot is free again and its
// visitor's entries go with it.
void endVisit(std::string_view spotName);

}  // namespace quillhaven
