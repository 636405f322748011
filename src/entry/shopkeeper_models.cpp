#include "entry/shopkeeper_models.h"

#include <array>

#include "game/natives.h"

namespace quillhaven {

namespace {

constexpr std::array<const char*, 20> shopkeeperModelNames = {
    "s_m_m_trainstationworker_01",    //  0
    "s_m_m_valbankguards_01",         //  1
    "s_m_y_newspaperboy_01",          //  2
    "u_f_m_tumgeneralstoreowner_01",  //  3
    "u_m_m_armgeneralstoreowner_01",  //  4
    "u_m_m_nbxgeneralstoreowner_01",  //  5
    "u_m_m_rhdgenstoreowner_01",      //  6
    "u_m_m_rhdgenstoreowner_02",      //  7
    "u_m_m_strgenstoreowner_01",      //  8
    "u_m_m_walgeneralstoreowner_01",  //  9
    "u_m_o_blwgeneralstoreowner_01",  // 10
    "u_m_m_valgenstoreowner_01",      // 11
    "u_m_m_asbgunsmith_01",           // 12
    "u_m_m_nbxgunsmith_01",           // 13
    "u_m_m_rhdgunsmith_01",           // 14
    "u_m_m_tumgunsmith_01",           // 15
    "u_m_m_valgunsmith_01",           // 16
    "u_m_m_nbxdoctor_01",             // 17
    "u_m_m_valdoctor_01",             // 18
    "cs_sddoctor_01",                 // 19
};

}  // namespace

std::vector<GameHash> ShopkeeperModels;

void hashShopkeeperModels() {
  std::vector<GameHash> hashes;
  hashes.reserve(shopkeeperModelNames.size());
  for (const char* name : shopkeeperModelNames) hashes.push_back(nameHash(name));
  ShopkeeperModels = std::move(hashes);
}

}  // namespace quillhaven
