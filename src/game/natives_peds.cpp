// Natives that read entities and peds.
#include <algorithm>
#include <array>

#include "game/native_call.h"
#include "game/natives.h"

namespace quillhaven {

using native::asBool;
using native::asEntity;
using native::asFloat;
using native::asHash;
using native::asInt;
using native::asVec3;
using native::call;

Entity playerPed() { return asEntity(call(0x096275889B8E0EE0)); }
Vec3 entityPosition(Entity entity, int32_t flag) { return asVec3(call(0xA86D5F069399F44D, entity, 1, flag)); }
bool entityExists(Entity entity) { return asBool(call(0xD42BD6EB2E0F1677, entity)); }
bool entityDead(Entity entity) { return asBool(call(0x3317DEDB88C95038, entity, 1)); }
GameHash entityModel(Entity entity) { return asHash(call(0xDA76A9F39210D365, entity)); }
float entityHeading(Entity entity) { return asFloat(call(0xC230DD956E2F5507, entity)); }
float pointDistance(Vec3 a, Vec3 b) {
  return asFloat(call(0xB7A628320EFF8E47, a.x, a.y, a.z, b.x, b.y, b.z));
}
bool pedIsMale(Entity ped) { return asBool(call(0x6D9F5FAA7488BA46, ped)); }
bool pedIsSpeaking(Entity ped) { return asBool(call(0x729072355FA39EC9, ped)); }
GameHash pedRelationshipGroup(Entity ped) { return asHash(call(0x7DBDD04862D95F04, ped)); }
GameHash pedDisposition(Entity ped) { return asHash(call(0xD7AD3C7EBAF88C92, ped)); }
bool pedIsRiding(Entity ped) { return asBool(call(0x460BC76A0E10655E, ped)); }
Entity pedMount(Entity ped) { return asEntity(call(0xE7E11B8DCBED1058, ped)); }
bool pedRejectTest1(Entity ped) { return asBool(call(0x12534C348C6CB68B, ped)); }
bool pedRejectTest2(Entity ped) { return asBool(call(0x138190F64DB4BBD1, ped)); }
bool pedRejectTest3(Entity ped) { return asBool(call(0x997ABD671D25CA0B, ped, 0)); }
bool pedRequireTest(Entity ped) { return asBool(call(0xB980061DA992779D, ped)); }
bool visitHoldTest(Entity ped) { return asBool(call(0x57AB4A3080F85143, ped)); }

// The game's buffer holds 32-bit values: the capacity, then the handles.
NearbyPeds nearbyPeds(Entity ped) {
  std::array<int32_t, NearbyCapacity + 1> buffer{};
  buffer[0] = NearbyCapacity;
  const void* record = buffer.data();
  const int32_t reported = asInt(call(0x23F8F5FC7E8C4A6B, ped, record, -1, 0));
  NearbyPeds nearby;
  nearby.count = std::clamp(reported, 0, NearbyCapacity);
  for (int32_t index = 0; index < nearby.count; ++index) {
    nearby.peds[static_cast<size_t>(index)] = Entity{buffer[static_cast<size_t>(index) + 1]};
  }
  return nearby;
}

}  // namespace quillhaven
