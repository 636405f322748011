// Natives about names, time, the main loop's gates and objects.
#include "game/native_call.h"
#include "game/natives.h"

namespace quillhaven {

using native::asBool;
using native::asHash;
using native::asInt;
using native::call;

GameHash nameHash(const char* name) { return asHash(call(0xFD340785ADF8CFB7, name)); }

GameTimeRead lastGameTime;

int32_t gameTimer() {
  const int32_t now = asInt(call(0x4F67E8ECA7D3F667));
  lastGameTime = {true, now};
  return now;
}
int32_t clockHour() { return asInt(call(0xC82CF208C2B19199)); }
int32_t gateSubject() { return asInt(call(0x217E9DC48139933D)); }
bool gateTest(int32_t subject) { return asBool(call(0xABC532F9098BFD9D, subject)); }
bool gateFlag() { return asBool(call(0xB15CD1CF58771DE1)); }
int32_t positionGate(Vec3 p) { return asInt(call(0x43AD8FC02B429D33, p.x, p.y, p.z, 1)); }
int32_t townTest(GameHash zone) { return asInt(call(0x8E34C953364A76DD, zone)); }

GameHash lockedDownLawRegion() {
  constexpr int32_t lawRegionGlobal = 1934292;
  return GameHash{native::lowBits(getGlobalPtr(lawRegionGlobal))};
}

// Hitching posts and the like are searched within this radius of the point.
constexpr float objectSearchRadiusMetres = 35.0f;

bool objectNearPoint(Vec3 p, GameHash model) {
  return asBool(call(0x6EEAD6AF637DA752, p.x, p.y, p.z, model, objectSearchRadiusMetres, 1));
}
Entity closestObject(Vec3 p, GameHash model) {
  return native::asEntity(call(0xF533D68FF970D190, p.x, p.y, p.z, model, objectSearchRadiusMetres, 1, 0));
}
void hitchPostPrepare(Entity post) { call(0xEEE4829304F93EEE, post, 1); }

}  // namespace quillhaven
