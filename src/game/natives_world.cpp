// Natives about names, time, the main loop's gates and scenario points.
#include "game/native_call.h"
#include "game/natives.h"

namespace quillhaven {

using native::asBool;
using native::asHash;
using native::asInt;
using native::call;

GameHash nameHash(const char* name) {
  return asHash(call(0xFD340785ADF8CFB7, name));  // GET_HASH_KEY
}

GameTimeRead passGameTime;

int32_t gameTimer() {
  const int32_t now = asInt(call(0x4F67E8ECA7D3F667));  // GET_GAME_TIMER
  passGameTime = {true, now};
  return now;
}
int32_t clockHour() {
  return asInt(call(0xC82CF208C2B19199));  // GET_CLOCK_HOURS
}
int32_t gateSubject() {
  return asInt(call(0x217E9DC48139933D));  // PLAYER_ID
}
bool gateTest(int32_t subject) {
  return asBool(call(0xABC532F9098BFD9D, subject));  // GET_PLAYER_WANTED_LEVEL
}
bool gateFlag() {
  return asBool(call(0xB15CD1CF58771DE1));  // GET_MISSION_FLAG
}
int32_t positionGate(Vec3 p) {
  return asInt(call(0x43AD8FC02B429D33, p.x, p.y, p.z, 1));  // _GET_MAP_ZONE_AT_COORDS, 1: towns
}
int32_t townTest(GameHash zone) {
  // GET_NUMBER_OF_THREADS_RUNNING_THE_SCRIPT_WITH_THIS_HASH
  return asInt(call(0x8E34C953364A76DD, zone));
}

// The script global of the game's law data that holds the law region of the
// town the player is in, and only while that town is locked down. Its index is
// the one game builds 1491.16 to 1491.18 use.
GameHash lockedDownLawRegion() {
  constexpr int32_t lawRegionGlobal = 1934292;
  return GameHash{native::lowBits(getGlobalPtr(lawRegionGlobal))};
}

// Scenario points such as hitching posts are searched within this radius of
// the point.
constexpr float scenarioSearchRadiusMetres = 35.0f;

bool objectNearPoint(Vec3 p, GameHash scenarioType) {
  // DOES_SCENARIO_OF_TYPE_EXIST_IN_AREA_HASH
  return asBool(call(0x6EEAD6AF637DA752, p.x, p.y, p.z, scenarioType, scenarioSearchRadiusMetres, 1));
}
ScenarioPoint closestObject(Vec3 p, GameHash scenarioType) {
  // FIND_SCENARIO_OF_TYPE_HASH
  const uint64_t* point =
      call(0xF533D68FF970D190, p.x, p.y, p.z, scenarioType, scenarioSearchRadiusMetres, 1, 0);
  return ScenarioPoint{asInt(point)};
}
void hitchPostPrepare(ScenarioPoint post) {
  call(0xEEE4829304F93EEE, post, 1);  // _SET_SCENARIO_POINT_ACTIVE
}

}  // namespace quillhaven
