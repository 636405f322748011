#include "recruit/eligibility.h"

#include <algorithm>

#include "entry/settings.h"
#include "entry/shopkeeper_models.h"
#include "shopkeeper/shopkeeper_lookup.h"
#include "visit/visit_tables.h"

namespace quillhaven {

namespace {

bool passesGameTests(Entity ped) {
  if (!entityExists(ped)) return false;
  if (entityDead(ped)) return false;
  if (pedRejectTest1(ped)) return false;
  if (pedRejectTest2(ped)) return false;
  if (pedRejectTest3(ped)) return false;
  return pedRequireTest(ped);
}

bool isGangMember(Entity ped) {
  const GameHash group = pedRelationshipGroup(ped);
  return group == nameHash("REL_GANG_DUTCHS");
}

// With shopkeeper visits allowed, a shopkeeper may visit any store but its
// own; without, nobody of a shopkeeper's model visits at all.
bool keepsOutAsShopkeeper(Entity ped, std::string_view spotName) {
  const GameHash model = entityModel(ped);
  if (!AllowShopkeeperVisits) {
    return std::find(ShopkeeperModels.begin(), ShopkeeperModels.end(), model) != ShopkeeperModels.end();
  }
  const GameHash keeper = shopkeeperModelFor(spotName);
  return keeper != 0 && model == keeper;
}

}  // namespace

bool isEligibleVisitor(Entity ped, std::string_view spotName) {
  if (!passesGameTests(ped)) return false;
  if (isGangMember(ped)) return false;
  if (keepsOutAsShopkeeper(ped, spotName)) return false;
  if (RecruitedPeds.contains(ped)) return false;
  // A ped already on a visit is not recruited again, even once the recruits
  // have been forgotten: two visits would share its entries and corrupt each
  // other.
  return !onRunningVisit(ped);
}

}  // namespace quillhaven
