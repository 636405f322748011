#include "shopkeeper/shopkeeper_lookup.h"

namespace quillhaven {

namespace {

struct ShopkeeperRow {
  std::string_view storeWord;
  std::string_view townWord;
  const char* model;
};

// Tried in this order: gunsmiths, general stores, doctors. A store whose town
// has no row falls through to the next store word.
constexpr ShopkeeperRow keepers[] = {
    {"GUNSMITH", "VALENTINE", "u_m_m_valgunsmith_01"},
    {"GUNSMITH", "RHODES", "u_m_m_rhdgunsmith_01"},
    {"GUNSMITH", "SAINT_DENIS", "u_m_m_nbxgunsmith_01"},
    {"GUNSMITH", "ANNESBURG", "u_m_m_asbgunsmith_01"},
    {"GUNSMITH", "TUMBLEWEED", "u_m_m_tumgunsmith_01"},
    {"GENERAL", "VALENTINE", "u_m_m_valgenstoreowner_01"},
    {"GENERAL", "RHODES", "u_m_m_rhdgenstoreowner_01"},
    {"GENERAL", "SAINT_DENIS", "u_m_m_nbxgeneralstoreowner_01"},
    {"GENERAL", "STRAWBERRY", "u_m_m_strgenstoreowner_01"},
    {"GENERAL", "BLACKWATER", "u_m_o_blwgeneralstoreowner_01"},
    {"GENERAL", "TUMBLEWEED", "u_f_m_tumgeneralstoreowner_01"},
    {"DOCTOR", "SAINT_DENIS", "cs_sddoctor_01"},
    {"DOCTOR", "VALENTINE", "u_m_m_valdoctor_01"},
};

}  // namespace

const char* shopkeeperModelName(std::string_view spotName) {
  for (const ShopkeeperRow& keeper : keepers) {
    if (spotName.find(keeper.storeWord) != std::string_view::npos &&
        spotName.find(keeper.townWord) != std::string_view::npos) {
      return keeper.model;
    }
  }
  return nullptr;
}

GameHash shopkeeperModelFor(std::string_view spotName) {
  const char* model = shopkeeperModelName(spotName);
  return model == nullptr ? noHash : nameHash(model);
}

Entity shopkeeperNear(Entity ped, GameHash model) {
  for (const Entity nearby : nearbyPeds(ped)) {
    if (!entityExists(nearby) || entityDead(nearby) || entityModel(nearby) != model) continue;
    return nearby;
  }
  return noEntity;
}

Entity storeKeeperNear(Entity visitor, std::string_view spotName) {
  const GameHash model = shopkeeperModelFor(spotName);
  if (model == noHash) return noEntity;
  return shopkeeperNear(visitor, model);
}

}  // namespace quillhaven
