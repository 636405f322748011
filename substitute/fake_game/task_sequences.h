// The game's task sequences, as the fake game keeps their books. A script
// opens a sequence, and the game writes the new id into the script's 8-byte
// variable; the script gives the steps as orders to ped 0 (a hitch, a
// dismount, a walk), closes the sequence, has a ped perform it, which
// replaces the ped's task with the steps, run in order, and clears it through
// the same variable, which frees the id. The game's own scripts do all of it
// within one frame.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fake_game/native_call.h"

namespace substitute {

class TaskSequences {
 public:
  // Takes the call into the books and returns an empty text, or refuses it
  // and returns why: an order to ped 0 with no sequence open, a second open
  // before the close, a close of a sequence that is not open, a perform of
  // one that is not closed, a clear through another variable than the
  // open's. An open writes the fresh id into its variable, a step joins the
  // open sequence, a perform receives the steps, each given to the performer.
  std::string take(NativeCall& call);

  bool anyOpen() const;
  // The ids opened and not yet cleared: the game holds sequences in a fixed
  // pool, and one never cleared is lost to it.
  size_t uncleared() const { return live_.size(); }
  // For the script's wait: each sequence not closed, performed and cleared by
  // now, told once, as "sequence 3 was not performed or cleared".
  std::vector<std::string> unfinishedAtWait();

  // A new world: no sequences, and ids from 1 again.
  void reset();

 private:
  struct Sequence {
    int32_t id = 0;
    uint64_t* variable = nullptr;  // where the game wrote the id
    bool closed = false;
    bool performed = false;
    bool told = false;  // unfinished at a wait, and said so
    std::vector<NativeCall> steps;
  };
  Sequence* find(int32_t id);
  static std::string unfinished(const Sequence& sequence, bool cleared);

  std::vector<Sequence> live_;                  // opened and not yet cleared, the open one last
  std::vector<std::string> clearedUnfinished_;  // since the last wait
  int32_t lastId_ = 0;
};

// Whether the call gives ped 0 a step for the open sequence.
bool isSequenceStep(const NativeCall& call);

// The call as the game plays it: a perform as the steps its performer runs;
// the open, the close, the clear and the steps given to ped 0 as nothing, for
// they order no ped; any other call as itself.
std::span<const NativeCall> asPlayed(const NativeCall& call);

}  // namespace substitute
