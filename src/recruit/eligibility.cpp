#include "recruit/eligibility.h"

#include <algorithm>

#include "entry/settings.h"
#include "entry/shopkeeper_models.h"
#include "shopkeeper/shopkeeper_lookup.h"
#include "visit/visit_tables.h"

namespace quillhaven {

namespace {

// The game's own tests, from the cheapest on; the first that refuses names
// the refusal.
Refusal gameRefusal(Entity ped) {
  if (!entityExists(ped)) return Refusal::gone;
  if (entityDead(ped)) return Refusal::deadOrDying;
  if (pedRejectTest1(ped)) return Refusal::aPlayer;
  if (pedRejectTest2(ped)) return Refusal::heldByAScript;
  if (pedRejectTest3(ped)) return Refusal::inAVehicle;
  if (!pedRequireTest(ped)) return Refusal::notHuman;
  return Refusal::none;
}

bool isGangMember(Entity ped) {
  const GameHash group = pedRelationshipGroup(ped);
  return group == nameHash("REL_GANG_DUTCHS");
}

// With shopkeeper visits allowed, a shopkeeper may visit any store but its
// own; without, nobody of a shopkeeper's model visits at all. The keeper's
// model is hashed afresh for every candidate.
bool keepsOutAsShopkeeper(Entity ped, const char* keeperModel) {
  const GameHash model = entityModel(ped);
  if (!AllowShopkeeperVisits) {
    return std::find(ShopkeeperModels.begin(), ShopkeeperModels.end(), model) != ShopkeeperModels.end();
  }
  const GameHash keeper = keeperModel == nullptr ? noHash : nameHash(keeperModel);
  return keeper != noHash && model == keeper;
}

}  // namespace

bool Candidacy::onRunningVisit(Entity ped) const {
  if (!visitorsListed) return quillhaven::onRunningVisit(ped);
  return std::binary_search(visitors.begin(), visitors.end(), ped);
}

Candidacy candidacyFor(std::string_view spotName) {
  Candidacy candidacy;
  candidacy.keeperModel = shopkeeperModelName(spotName);
  candidacy.visitorsListed = SpotVisitors.size() <= candidacy.visitors.capacity();
  if (!candidacy.visitorsListed) return candidacy;
  for (const auto& visit : SpotVisitors) candidacy.visitors.push(visit.second);
  std::sort(candidacy.visitors.begin(), candidacy.visitors.end());
  return candidacy;
}

bool isEligibleVisitor(Entity ped, std::string_view spotName) {
  return isEligibleVisitor(ped, candidacyFor(spotName));
}

bool isEligibleVisitor(Entity ped, const Candidacy& candidacy) {
  return refusalOf(ped, candidacy) == Refusal::none;
}

Refusal refusalOf(Entity ped, const Candidacy& candidacy) {
  if (const Refusal refusal = gameRefusal(ped); refusal != Refusal::none) return refusal;
  if (isGangMember(ped)) return Refusal::gangMember;
  if (keepsOutAsShopkeeper(ped, candidacy.keeperModel)) return Refusal::shopkeeperRules;
  if (RecruitedPeds.contains(ped)) return Refusal::alreadyRecruited;
  // A ped already on a visit is not recruited again, even once the recruits
  // have been forgotten: two visits would share its entries and corrupt each
  // other.
  if (candidacy.onRunningVisit(ped)) return Refusal::onAVisit;
  return Refusal::none;
}

}  // namespace quillhaven
