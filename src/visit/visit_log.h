// The log's account of each visit, numbered from 1 in the order the visits
// start. Nothing here asks the game anything, and nothing is kept while the
// log is off.
#pragma once

#include <string_view>

#include "catalogue/store_spot.h"
#include "game/natives.h"

namespace quillhaven {

// "on foot", "hitched at a post" or "dismounted".
void logVisitSent(const StoreSpot& spot, Entity visitor, const char* howItCame);
void logVisitArrived(const StoreSpot& spot, Entity visitor);
void logVisitThanks(std::string_view spotName, Entity visitor);
void logWeaponHandedOver(std::string_view spotName, Entity visitor, const char* weapon);

// The endings; each forgets the visit's number.
void logVisitComplete(std::string_view spotName);
void logVisitGivenUp(std::string_view spotName, Entity visitor);
void logVisitorGone(std::string_view spotName);
void logVisitDropped(std::string_view spotName);

}  // namespace quillhaven
