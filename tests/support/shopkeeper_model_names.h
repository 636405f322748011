// The shopkeeper models in the order the script hashes them at its start,
// written out for the tests independently of the plug-in's own table.
#pragma once

inline constexpr const char* expectedShopkeeperModelNames[20] = {
    "s_m_m_trainstationworker_01",
    "s_m_m_valbankguards_01",
    "s_m_y_newspaperboy_01",
    "u_f_m_tumgeneralstoreowner_01",
    "u_m_m_armgeneralstoreowner_01",
    "u_m_m_nbxgeneralstoreowner_01",
    "u_m_m_rhdgenstoreowner_01",
    "u_m_m_rhdgenstoreowner_02",
    "u_m_m_strgenstoreowner_01",
    "u_m_m_walgeneralstoreowner_01",
    "u_m_o_blwgeneralstoreowner_01",
    "u_m_m_valgenstoreowner_01",
    "u_m_m_asbgunsmith_01",
    "u_m_m_nbxgunsmith_01",
    "u_m_m_rhdgunsmith_01",
    "u_m_m_tumgunsmith_01",
    "u_m_m_valgunsmith_01",
    "u_m_m_nbxdoctor_01",
    "u_m_m_valdoctor_01",
    "cs_sddoctor_01",
};
