// Tests of the main loop: the plug-in attached to the substitute host, its
// catalogue built, a town world installed, and the visit tables empty.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/spot_catalogue.h"
#include "fake_game/town_world.h"
#include "host_fixture.h"
#include "recruit/eligibility.h"
#include "visit/visit_tables.h"

using substitute::PedState;
using substitute::Point;
using substitute::TownWorld;

inline quillhaven::Vec3 toVec3(Point point) { return {point.x, point.y, point.z}; }
inline Point toPoint(quillhaven::Vec3 vec) { return {vec.x, vec.y, vec.z}; }

// Gives a fresh ped the one property that the eligibility chain refuses first
// with `refusal`; the shopkeeper rules refuse it as the keeper of Valentine's
// gunsmith. Refusals that the visit tables make, not the ped, have none.
inline void refuse(PedState& ped, quillhaven::Refusal refusal) {
  using quillhaven::Refusal;
  switch (refusal) {
    case Refusal::gone:
      ped.exists = false;
      return;
    case Refusal::deadOrDying:
      ped.dead = true;
      return;
    case Refusal::aPlayer:
      ped.rejected1 = true;
      return;
    case Refusal::heldByAScript:
      ped.rejected2 = true;
      return;
    case Refusal::inAVehicle:
      ped.rejected3 = true;
      return;
    case Refusal::notHuman:
      ped.required = false;
      return;
    case Refusal::gangMember:
      ped.group = substitute::FakeGame::hashName("REL_GANG_DUTCHS");
      return;
    case Refusal::shopkeeperRules:
      ped.model = substitute::FakeGame::hashName("u_m_m_valgunsmith_01");
      return;
    case Refusal::none:
    case Refusal::alreadyRecruited:
    case Refusal::onAVisit:
    case Refusal::kindCount:
      break;
  }
  ADD_FAILURE() << "no property of a ped makes refusal " << static_cast<int>(refusal);
}

class LoopTest : public HostTest {
 protected:
  TownWorld world;

  void SetUp() override {
    HostTest::SetUp();
    clearVisitTables();
    world.install(game);
  }

  static void clearVisitTables() {
    using namespace quillhaven;
    SpotVisitors.clear();
    WalkingToSpot.clear();
    WalkingSince.clear();
    AtSpotSince.clear();
    LeavingVisitors.clear();
    LeavingSince.clear();
    VisitorMounts.clear();
    WeaponBuyers.clear();
    RecruitedPeds.clear();
  }

  // Attaches the plug-in and starts its script, which builds the catalogue
  // and stops at its first wait; the game's records start empty from there.
  void startScript() {
    libraryEntry(&module_, 1);
    host.startScript();
    game.calls.clear();
  }

  // A spot of the built catalogue, by name.
  static quillhaven::StoreSpot& spotNamed(std::string_view name) {
    using quillhaven::townSpotLists;
    for (auto* list : {&townSpotLists.valentine, &townSpotLists.strawberry, &townSpotLists.rhodes,
                       &townSpotLists.blackwater, &townSpotLists.annesburg, &townSpotLists.tumbleweed,
                       &townSpotLists.saintDenis}) {
      for (quillhaven::StoreSpot& spot : *list) {
        if (name == spot.name) return spot;
      }
    }
    throw std::runtime_error("no spot named " + std::string(name));
  }

  std::vector<std::string> calledNames() const {
    std::vector<std::string> names;
    for (const substitute::NativeCall& call : game.calls) names.emplace_back(call.name());
    return names;
  }

  // A ped that stands for "a pick was tried": the loop empties RecruitedPeds
  // when its first pick fails, and nothing else does.
  static constexpr int32_t pickMarker = 9999;
  static void markPicks() { quillhaven::RecruitedPeds.insert(quillhaven::Entity{pickMarker}); }
  static bool pickTried() { return !quillhaven::RecruitedPeds.contains(quillhaven::Entity{pickMarker}); }

 private:
  int module_ = 0;
};
