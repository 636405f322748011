#include "fake_game/task_sequences.h"

#include <algorithm>
#include <utility>

namespace substitute {

namespace {

const NativeInfo* const openSequence = findNative("openSequence");
const NativeInfo* const closeSequence = findNative("closeSequence");
const NativeInfo* const performSequence = findNative("performSequence");
const NativeInfo* const clearSequence = findNative("clearSequence");
// The orders a sequence takes as its steps.
const NativeInfo* const hitch = findNative("taskHitch");
const NativeInfo* const dismount = findNative("taskDismount");
const NativeInfo* const walk = findNative("taskGoTo");

bool buildsASequence(const NativeInfo* info) {
  return info == openSequence || info == closeSequence || info == clearSequence;
}

bool takesSteps(const NativeInfo* info) { return info == hitch || info == dismount || info == walk; }

uint64_t* variableOf(const Arg& arg) { return reinterpret_cast<uint64_t*>(static_cast<uintptr_t>(arg.slot)); }

std::string sequenceText(int32_t id) { return "sequence " + std::to_string(id); }

}  // namespace

bool isSequenceStep(const NativeCall& call) { return takesSteps(call.info) && call.args[0].i() == 0; }

std::span<const NativeCall> asPlayed(const NativeCall& call) {
  if (call.info == performSequence) return call.steps;
  if (buildsASequence(call.info) || isSequenceStep(call)) return {};
  return {&call, 1};
}

bool TaskSequences::anyOpen() const { return !live_.empty() && !live_.back().closed; }

TaskSequences::Sequence* TaskSequences::find(int32_t id) {
  const auto found = std::find_if(live_.begin(), live_.end(), [id](const Sequence& s) { return s.id == id; });
  return found == live_.end() ? nullptr : &*found;
}

std::string TaskSequences::take(NativeCall& call) {
  const NativeInfo* info = call.info;
  if (takesSteps(info)) {
    if (call.args[0].i() != 0) return {};
    if (!anyOpen()) return std::string(info->name) + ": an order to ped 0 with no sequence open";
    live_.back().steps.push_back(call);
    return {};
  }
  if (info == openSequence) {
    if (anyOpen())
      return "openSequence: a second sequence opened before " + sequenceText(live_.back().id) + " was closed";
    uint64_t* variable = variableOf(call.args[0]);
    *variable = junkHigh | static_cast<uint32_t>(++lastId_);  // all 8 bytes of the script variable
    live_.push_back({lastId_, variable, false, false, false, {}});
    return {};
  }
  if (info == closeSequence) {
    if (!anyOpen() || live_.back().id != call.args[0].i())
      return "closeSequence: " + sequenceText(call.args[0].i()) + " is not open";
    live_.back().closed = true;
    return {};
  }
  if (info == performSequence) {
    Sequence* sequence = find(call.args[1].i());
    if (sequence == nullptr || !sequence->closed)
      return "performSequence: " + sequenceText(call.args[1].i()) + " is not closed";
    sequence->performed = true;
    call.steps = sequence->steps;
    for (NativeCall& step : call.steps) step.args[0].slot = call.args[0].slot;
    return {};
  }
  if (info == clearSequence) {
    const uint64_t* variable = variableOf(call.args[0]);
    const auto cleared = std::find_if(live_.begin(), live_.end(),
                                      [variable](const Sequence& s) { return s.variable == variable; });
    if (cleared == live_.end()) return "clearSequence: through a variable that no open was given";
    if (!cleared->closed || !cleared->performed) clearedUnfinished_.push_back(unfinished(*cleared, true));
    live_.erase(cleared);
  }
  return {};
}

std::string TaskSequences::unfinished(const Sequence& sequence, bool cleared) {
  std::string missing;
  for (const auto& [done, what] :
       {std::pair{sequence.closed, "closed"}, std::pair{sequence.performed, "performed"},
        std::pair{cleared, "cleared"}}) {
    if (!done) missing += (missing.empty() ? "" : " or ") + std::string(what);
  }
  return sequenceText(sequence.id) + " was not " + missing;
}

std::vector<std::string> TaskSequences::unfinishedAtWait() {
  std::vector<std::string> found = std::move(clearedUnfinished_);
  clearedUnfinished_.clear();
  for (Sequence& sequence : live_) {
    if (!sequence.told) found.push_back(unfinished(sequence, false));
    sequence.told = true;
  }
  return found;
}

void TaskSequences::reset() {
  live_.clear();
  clearedUnfinished_.clear();
  lastId_ = 0;
}

}  // namespace substitute
