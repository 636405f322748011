// What the calls alone show of the plug-in's orders, checked against the
// worlds' own rows of the store spots: a visitor is sent to a spot's
// position, turned to that spot's heading and set to play its scenario
// there. Spots that share a position form a group, and an order may be for
// any spot of it. A sequence's orders count as given to the ped that
// performs it, and every sequence is closed, performed and cleared before the
// script waits. Needs nothing of the plug-in but its calls, so it checks any
// build of it.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "fake_game/fake_game.h"
#include "town/store_spots.h"

namespace world {

class OrderChecks {
 public:
  void observe(const substitute::NativeCall& call, int64_t pass);
  // The script is about to wait, or the run ends: the game's books say which
  // sequences were left unfinished.
  void beforeWait(substitute::TaskSequences& sequences, int64_t pass);

  // Each violation as "pass N: what is wrong".
  const std::vector<std::string>& violations() const { return violations_; }

 private:
  void observeOrder(const substitute::NativeCall& call, int64_t pass);
  void violation(const substitute::NativeCall& call, int64_t pass, const std::string& what);
  // The rows of the spot group a visitor was last sent to; none if it was not.
  std::vector<const SpotRow*> groupOf(int32_t visitor) const;

  std::map<int32_t, substitute::Point> sentTo_;  // each visitor's last walk target
  std::vector<std::string> violations_;
};

}  // namespace world
