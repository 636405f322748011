#include "fake_game/native_table.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace substitute {

namespace {

constexpr std::array<NativeInfo, 43> natives = {{
    // names
    {"nameHash", 0xFD340785ADF8CFB7, "t", 'i'},
    // time and gates
    {"gameTimer", 0x4F67E8ECA7D3F667, "", 'i'},
    {"clockHour", 0xC82CF208C2B19199, "", 'i'},
    {"gateSubject", 0x217E9DC48139933D, "", 'i'},
    {"gateTest", 0xABC532F9098BFD9D, "i", 'i'},
    {"gateFlag", 0xB15CD1CF58771DE1, "", 'i'},
    {"positionGate", 0x43AD8FC02B429D33, "fffi", 'i'},
    {"townTest", 0x8E34C953364A76DD, "i", 'i'},
    // entities and peds
    {"playerPed", 0x096275889B8E0EE0, "", 'i'},
    {"entityPosition", 0xA86D5F069399F44D, "iii", 'v'},
    {"entityExists", 0xD42BD6EB2E0F1677, "i", 'i'},
    {"entityDead", 0x3317DEDB88C95038, "ii", 'i'},
    {"entityModel", 0xDA76A9F39210D365, "i", 'i'},
    {"entityHeading", 0xC230DD956E2F5507, "i", 'f'},
    {"pointDistance", 0xB7A628320EFF8E47, "ffffff", 'f'},
    {"nearbyPeds", 0x23F8F5FC7E8C4A6B, "ibii", 'i'},
    {"pedIsMale", 0x6D9F5FAA7488BA46, "i", 'i'},
    {"pedIsSpeaking", 0x729072355FA39EC9, "i", 'i'},
    {"pedRelationshipGroup", 0x7DBDD04862D95F04, "i", 'i'},
    {"pedDisposition", 0xD7AD3C7EBAF88C92, "i", 'i'},
    {"pedIsRiding", 0x460BC76A0E10655E, "i", 'i'},
    {"pedMount", 0xE7E11B8DCBED1058, "i", 'i'},
    {"pedRejectTest1", 0x12534C348C6CB68B, "i", 'i'},
    {"pedRejectTest2", 0x138190F64DB4BBD1, "i", 'i'},
    {"pedRejectTest3", 0x997ABD671D25CA0B, "ii", 'i'},
    {"pedRequireTest", 0xB980061DA992779D, "i", 'i'},
    {"visitHoldTest", 0x57AB4A3080F85143, "i", 'i'},
    // scenario points
    {"objectNearPoint", 0x6EEAD6AF637DA752, "fffifi", 'i'},
    {"closestObject", 0xF533D68FF970D190, "fffifii", 'i'},
    {"hitchPostPrepare", 0xEEE4829304F93EEE, "ii", '-'},
    // orders, speech and weapons
    {"taskGoTo", 0x5BC448CB78FA3E88, "iffffiiif", '-'},
    {"taskScenarioHere", 0x524B54361229154F, "iiiiifi", '-'},
    {"taskTurnTo", 0x93B93A37987F1F3D, "ifi", '-'},
    {"taskMount", 0x92DB0739813C5186, "iiiifiii", '-'},
    {"taskDismount", 0x48E92D3DDE23C23A, "iiiiii", '-'},
    {"taskHitch", 0x9030AD4B6207BFE8, "iii", '-'},
    {"releaseVisitor", 0xE1EF3C1216AFF2CD, "iii", '-'},
    {"speakWithParams", 0x8E04FEDD28D42462, "is", '-'},
    {"giveWeapon", 0x5E3BDDBCB83F3D84, "iiiiiiiffiifi", '-'},
    // task sequences
    {"openSequence", 0xE8854A4326B9E12B, "w", '-'},
    {"closeSequence", 0x39E72BC99E6360CB, "i", '-'},
    {"performSequence", 0x5ABA3986D90D8A3B, "ii", '-'},
    {"clearSequence", 0x3841422E9C488D8C, "w", '-'},
}};

}  // namespace

std::span<const NativeInfo> nativeTable() { return natives; }

const NativeInfo* findNative(uint64_t hash) {
  for (const NativeInfo& info : natives) {
    if (info.hash == hash) return &info;
  }
  return nullptr;
}

const NativeInfo* findNative(std::string_view name) {
  for (const NativeInfo& info : natives) {
    if (info.name == name) return &info;
  }
  return nullptr;
}

uint64_t nativeHash(std::string_view name) {
  const NativeInfo* info = findNative(name);
  if (info == nullptr) {
    std::fprintf(stderr, "substitute: no native named %.*s\n", static_cast<int>(name.size()), name.data());
    std::abort();
  }
  return info->hash;
}

}  // namespace substitute
