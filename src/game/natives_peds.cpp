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

Entity playerPed() {
  return asEntity(call(0x096275889B8E0EE0));  // PLAYER_PED_ID
}
Vec3 entityPosition(Entity entity, int32_t flag) {
  return asVec3(call(0xA86D5F069399F44D, entity, 1, flag));  // GET_ENTITY_COORDS
}
bool entityExists(Entity entity) {
  return asBool(call(0xD42BD6EB2E0F1677, entity));  // DOES_ENTITY_EXIST
}
bool entityDead(Entity entity) {
  return asBool(call(0x3317DEDB88C95038, entity, 1));  // IS_PED_DEAD_OR_DYING
}
GameHash entityModel(Entity entity) {
  return asHash(call(0xDA76A9F39210D365, entity));  // GET_ENTITY_MODEL
}
float entityHeading(Entity entity) {
  return asFloat(call(0xC230DD956E2F5507, entity));  // GET_ENTITY_HEADING
}
float pointDistance(Vec3 a, Vec3 b) {
  return asFloat(call(0xB7A628320EFF8E47, a.x, a.y, a.z, b.x, b.y, b.z));  // VDIST2
}
bool pedIsMale(Entity ped) {
  return asBool(call(0x6D9F5FAA7488BA46, ped));  // IS_PED_MALE
}
bool pedIsSpeaking(Entity ped) {
  return asBool(call(0x729072355FA39EC9, ped));  // IS_ANY_SPEECH_PLAYING
}
GameHash pedRelationshipGroup(Entity ped) {
  return asHash(call(0x7DBDD04862D95F04, ped));  // GET_PED_RELATIONSHIP_GROUP_HASH
}
GameHash pedDisposition(Entity ped) {
  return asHash(call(0xD7AD3C7EBAF88C92, ped));  // _GET_PED_INTERACTION_PERSONALITY
}
bool pedIsRiding(Entity ped) {
  return asBool(call(0x460BC76A0E10655E, ped));  // IS_PED_ON_MOUNT
}
Entity pedMount(Entity ped) {
  return asEntity(call(0xE7E11B8DCBED1058, ped));  // GET_MOUNT
}
bool pedRejectTest1(Entity ped) {
  return asBool(call(0x12534C348C6CB68B, ped));  // IS_PED_A_PLAYER
}
bool pedRejectTest2(Entity ped) {
  return asBool(call(0x138190F64DB4BBD1, ped));  // IS_ENTITY_A_MISSION_ENTITY
}
bool pedRejectTest3(Entity ped) {
  return asBool(call(0x997ABD671D25CA0B, ped, 0));  // IS_PED_IN_ANY_VEHICLE
}
bool pedRequireTest(Entity ped) {
  return asBool(call(0xB980061DA992779D, ped));  // IS_PED_HUMAN
}
bool visitHoldTest(Entity ped) {
  return asBool(call(0x57AB4A3080F85143, ped));  // IS_PED_USING_ANY_SCENARIO
}

// The game hands arrays to natives as script arrays of 8-byte slots: the
// capacity in the low half of slot 0, ped i in the low half of slot i + 1. The
// high halves of the peds' slots are the game's and never read.
NearbyPeds nearbyPeds(Entity ped) {
  std::array<uint64_t, NearbyCapacity + 1> slots{};
  slots[0] = native::slot(NearbyCapacity);
  const void* array = slots.data();
  const int32_t reported = asInt(call(0x23F8F5FC7E8C4A6B, ped, array, -1, 0));  // GET_PED_NEARBY_PEDS
  const int32_t count = std::clamp(reported, 0, NearbyCapacity);
  NearbyPeds nearby;
  for (int32_t index = 0; index < count; ++index) {
    const uint32_t handle = native::lowBits(slots.data(), index + 1);
    nearby.push(Entity{static_cast<int32_t>(handle)});
  }
  return nearby;
}

}  // namespace quillhaven
