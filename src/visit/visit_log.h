// The log's account of each visit, numbered from 1 in the order the visits
// start, and the one place where a visit ends, so that none ends untold.
// Nothing here asks the game anything, and no number is kept while the log
// is off.
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

// How a visit ends.
enum class VisitEnding {
  complete,         // it ended as it should
  givenUp,          // the visitor did not reach its spot in time
  visitorGone,      // the visitor no longer exists
  dropped,          // the player left the visit's town
  horseDead,        // the horse it was to get back on died; it is let go
  leavingTimedOut,  // it did not get away within a minute of leaving; it is let go
};

// Ends the spot's visit and logs how: every visit ends here, so that none
// ends untold. The spot is free again, its visitor's entries go, and the log
// forgets the visit's number.
void finishVisit(std::string_view spotName, Entity visitor, VisitEnding ending);

}  // namespace quillhaven
