// Tests of running visits: a visitor, its spot in the built catalogue, and
// the orders and lines the game received.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "entry/random_source.h"
#include "loop_fixture.h"
#include "recruit/visit_start.h"
#include "seeds.h"
#include "shopkeeper/greeting.h"

class VisitTest : public LoopTest {
 protected:
  static constexpr int32_t visitor = 30;
  static constexpr int32_t horse = 31;

  void SetUp() override {
    LoopTest::SetUp();
    quillhaven::buildSpotCatalogue();
    quillhaven::GreetingTimes.clear();
    game.gameTime = 100000;
    game.calls.clear();
  }

  // The orders and lines the game received since the last clear, each as
  // "taskGoTo(...)", or "30 says GENERIC_THANKS" for speech.
  std::vector<std::string> orders() const {
    std::vector<std::string> given;
    for (const substitute::NativeCall& call : game.calls) {
      if (call.name() == "speakWithParams") {
        given.push_back(std::to_string(call.args[0].i()) + " says " + call.args[1].text);
      } else if (call.info->result == '-') {
        given.push_back(call.describe());
      }
    }
    return given;
  }

  // Whether the ped has an entry in any table keyed by visitor.
  static bool hasVisitorEntries(int32_t handle) {
    using namespace quillhaven;
    const Entity ped{handle};
    return WalkingToSpot.contains(ped) || WalkingSince.contains(ped) || AtSpotSince.contains(ped) ||
           LeavingVisitors.contains(ped) || LeavingSince.contains(ped) || VisitorMounts.contains(ped) ||
           WeaponBuyers.contains(ped);
  }
};
