#include "runs/order_checks.h"

#include <algorithm>

#include "fake_game/native_table.h"

namespace world {

namespace {

using substitute::Point;

bool samePoint(Point a, Point b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

const substitute::NativeInfo* const walk = substitute::findNative("taskGoTo");
const substitute::NativeInfo* const turn = substitute::findNative("taskTurnTo");
const substitute::NativeInfo* const scenario = substitute::findNative("taskScenarioHere");

}  // namespace

void OrderChecks::violation(const substitute::NativeCall& call, int64_t pass, const std::string& what) {
  violations_.push_back("pass " + std::to_string(pass) + ": " + call.describe() + ": " + what);
}

std::vector<const SpotRow*> OrderChecks::groupOf(int32_t visitor) const {
  std::vector<const SpotRow*> group;
  const auto sent = sentTo_.find(visitor);
  if (sent == sentTo_.end()) return group;
  for (const SpotRow& row : allSpots()) {
    if (samePoint(row.position, sent->second)) group.push_back(&row);
  }
  return group;
}

void OrderChecks::observe(const substitute::NativeCall& call, int64_t pass) {
  for (const substitute::NativeCall& order : substitute::asPlayed(call)) observeOrder(order, pass);
}

void OrderChecks::beforeWait(substitute::TaskSequences& sequences, int64_t pass) {
  for (const std::string& unfinished : sequences.unfinishedAtWait()) {
    violations_.push_back("pass " + std::to_string(pass) + ": " + unfinished + " before the script waited");
  }
}

void OrderChecks::observeOrder(const substitute::NativeCall& call, int64_t pass) {
  if (call.info != walk && call.info != turn && call.info != scenario) return;
  const int32_t visitor = call.args[0].i();
  if (call.info == walk) {
    sentTo_[visitor] = {call.args[1].f(), call.args[2].f(), call.args[3].f()};
    if (groupOf(visitor).empty()) violation(call, pass, "a walk to no spot's position");
    return;
  }
  const std::vector<const SpotRow*> group = groupOf(visitor);
  // A turn gives the heading alone; a scenario its hash, then the heading.
  const float heading = call.args[call.info == turn ? 1 : 5].f();
  const bool ofTheGroup = std::any_of(group.begin(), group.end(), [&](const SpotRow* row) {
    return row->heading == heading &&
           (call.info == turn || call.args[1].u() == substitute::FakeGame::hashName(row->scenario));
  });
  if (group.empty()) {
    violation(call, pass, "an order at a spot the ped was never sent to");
  } else if (!ofTheGroup) {
    violation(call, pass,
              std::string(call.info == turn ? "the heading" : "the scenario or heading") + " of no spot at " +
                  std::string(group.front()->name) + "'s position");
  }
}

}  // namespace world
