#include "linked_plugin/follower_check.h"

#include <algorithm>

#include "linked_plugin/plugin_handles.h"
#include "visit/visit_tables.h"

namespace world {

FollowerCheck::FollowerCheck(const SimWorld& world) : follower_(world, {}) {}

void FollowerCheck::afterPass(int64_t pass) {
  follower_.afterPass();
  if (!violations_.empty()) return;
  auto disagree = [&](const std::string& what) {
    violations_.push_back("pass " + std::to_string(pass) + ": the timeline " + what);
  };
  size_t running = 0;
  for (const Visit& visit : follower_.visits()) running += visit.outcome == Visit::Outcome::running;
  for (const auto& [spot, entity] : quillhaven::SpotVisitors) {
    const int32_t ped = handleOf(entity);
    const Visit* visit = follower_.runningVisitOf(ped);
    if (visit == nullptr) return disagree("has no running visit of " + std::to_string(ped) + ", at " + spot);
    if (std::find(visit->spots.begin(), visit->spots.end(), spot) == visit->spots.end()) {
      return disagree("has visit " + std::to_string(visit->number) + " of " + std::to_string(ped) + " at " +
                      spotText(*visit) + ", not at " + spot);
    }
  }
  if (running == quillhaven::SpotVisitors.size()) return;
  for (const Visit& visit : follower_.visits()) {
    if (visit.outcome != Visit::Outcome::running) continue;
    if (!quillhaven::onRunningVisit(entityOf(visit.ped))) {
      return disagree("has visit " + std::to_string(visit.number) + " of " + std::to_string(visit.ped) +
                      " at " + spotText(visit) + " running on after it ended");
    }
  }
}

}  // namespace world
