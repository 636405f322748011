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
const substitute::NativeInfo* const openSequence = substitute::findNative("openSequence");
const substitute::NativeInfo* const closeSequence = substitute::findNative("closeSequence");
const substitute::NativeInfo* const performSequence = substitute::findNative("performSequence");
const substitute::NativeInfo* const clearSequence = substitute::findNative("clearSequence");

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
  followSequence(call);
  for (const substitute::NativeCall& order : substitute::asPlayed(call)) observeOrder(order, pass);
}

void OrderChecks::followSequence(const substitute::NativeCall& call) {
  if (call.info == openSequence) return sequences_.push_back({call.args[0].heldId()});
  const bool fate = call.info == closeSequence || call.info == performSequence || call.info == clearSequence;
  if (!fate) return;
  const int32_t id = call.info == closeSequence     ? call.args[0].i()
                     : call.info == performSequence ? call.args[1].i()
                                                    : call.args[0].heldId();
  for (Sequence& sequence : sequences_) {
    if (sequence.id != id) continue;
    sequence.closed |= call.info == closeSequence;
    sequence.performed |= call.info == performSequence;
    sequence.cleared |= call.info == clearSequence;
  }
}

void OrderChecks::beforeWait(int64_t pass) {
  for (const Sequence& sequence : sequences_) {
    if (sequence.closed && sequence.performed && sequence.cleared) continue;
    std::string missing;
    for (const auto& [done, what] :
         {std::pair{sequence.closed, "closed"}, std::pair{sequence.performed, "performed"},
          std::pair{sequence.cleared, "cleared"}}) {
      if (!done) missing += (missing.empty() ? "" : " or ") + std::string(what);
    }
    violations_.push_back("pass " + std::to_string(pass) + ": sequence " + std::to_string(sequence.id) +
                          " was not " + missing + " before the script waited");
  }
  sequences_.clear();
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
