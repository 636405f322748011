// The log's account of the main loop: the start, every change of what the
// plug-in may do and of where the player is, and why no visit starts once the
// cooldown has passed. Lines come only with such events; a pass that changes
// nothing writes nothing. The visits tell their own lines (visit/visit_log.h).
//
// logGates and logWhereabouts are called only while logging():
// the pass asks once for each, so that with the log off it pays a test and
// no call.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "catalogue/store_spot.h"
#include "loop/gates.h"
#include "recruit/pick.h"

namespace quillhaven {

// At each start of the script: the log's memory of earlier passes starts
// afresh, so that the first pass tells the gates and the town again.
void logStart();
void logGates(const GateCheck& gates);
// The town's display name, and its spots (null for a place without any).
void logWhereabouts(std::string_view townName, const std::vector<StoreSpot>* spots);

// The outcome of a pass whose cooldown had passed: a visit started, or why
// not. The reasons are logged at most once a minute of game time.
void logVisitStarted();
void logNoFreeSpot(std::string_view townName);
void logTownSwitchedOff(std::string_view townName);
// Every free spot of the town is at a kind of store switched off.
void logStoresSwitchedOff(std::string_view townName);
void logNoVisit(std::span<const PickReport> tries);

}  // namespace quillhaven
