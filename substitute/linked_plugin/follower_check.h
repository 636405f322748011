// The visits the simulator's timeline follows (story/visit_follower.h), held
// against the plug-in's own visit table after every pass. The follower works
// them out from the calls and the world alone, so a disagreement is a fault
// of one or the other; the first is reported, as the rest follow from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fake_game/fake_game.h"
#include "story/visit_follower.h"
#include "town/sim_world.h"

namespace world {

class FollowerCheck {
 public:
  explicit FollowerCheck(const SimWorld& world);

  void observe(const substitute::NativeCall& call) { follower_.observe(call); }
  void afterPass(int64_t pass);
  void afterWait(uint32_t milliseconds) { follower_.afterWait(milliseconds); }

  // At most one, as "pass N: the timeline ...".
  const std::vector<std::string>& violations() const { return violations_; }
  const std::vector<Visit>& visits() const { return follower_.visits(); }

 private:
  VisitFollower follower_;
  std::vector<std::string> violations_;
};

}  // namespace world
