// The plug-in's whole contract with the game: one typed operation per native.
// Where the plug-in only ever passes a constant, the operation pushes it itself
// and takes no parameter for it.
#pragma once

#include <cstdint>

#include "game/bounded_list.h"
#include "game/vec3.h"

namespace quillhaven {

// A ped, horse or object as the game names it; noEntity names nothing. Handles
// and game hashes are distinct types, so that one passed where the other
// belongs fails to compile. Maps order handles as signed integers.
enum class Entity : int32_t {};
inline constexpr Entity noEntity{};

// What nameHash gives for a name; noHash is what a failed native reads as.
enum class GameHash : uint32_t {};
inline constexpr GameHash noHash{};

// A scenario point: a place where the game plays a scenario, such as a
// hitching post. Not an entity: the game names it apart, and a ped or a hash
// passed where a point belongs fails to compile. noScenarioPoint names none.
enum class ScenarioPoint : int32_t {};
inline constexpr ScenarioPoint noScenarioPoint{};

// Names
GameHash nameHash(const char* name);

// Time and the main loop's gates
int32_t gameTimer();
// The game timer as the current main-loop pass read it, for the log's lines:
// read is false until the pass calls gameTimer. The main loop forgets the
// reading as each pass begins, so that no line shows an earlier pass's time,
// which can be a whole night old.
struct GameTimeRead {
  bool read = false;
  int32_t value = 0;
};
extern GameTimeRead passGameTime;
int32_t clockHour();
// The player, and whether the law wants the player.
int32_t gateSubject();
bool gateTest(int32_t subject);
// Whether a mission is running.
bool gateFlag();
// The town map zone at the position, as a hash; zero where no town's zone
// lies.
int32_t positionGate(Vec3 position);
// The game's count of threads running the town's own script, named as the
// town in lower case: greater than zero while the player is in that town.
int32_t townTest(GameHash zone);

// The law region of the town the player is in while that town is locked
// down, as a game hash: the low half of a script global that the host
// exposes.
GameHash lockedDownLawRegion();

// Entities and peds
Entity playerPed();
Vec3 entityPosition(Entity entity, int32_t flag);
bool entityExists(Entity entity);
bool entityDead(Entity entity);
GameHash entityModel(Entity entity);
float entityHeading(Entity entity);
float pointDistance(Vec3 a, Vec3 b);
bool pedIsMale(Entity ped);
bool pedIsSpeaking(Entity ped);
GameHash pedRelationshipGroup(Entity ped);
GameHash pedDisposition(Entity ped);
bool pedIsRiding(Entity ped);
Entity pedMount(Entity ped);
bool pedRejectTest1(Entity ped);
bool pedRejectTest2(Entity ped);
bool pedRejectTest3(Entity ped);
bool pedRequireTest(Entity ped);
bool visitHoldTest(Entity ped);

// The peds the game reports near a ped. The game fills at most NearbyCapacity
// handles; a larger count it reports is clamped, a count of zero or less
// yields none.
inline constexpr int32_t NearbyCapacity = 120;
using NearbyPeds = BoundedList<Entity, NearbyCapacity>;
NearbyPeds nearbyPeds(Entity ped);

// Scenario points of a type, such as "PROP_HITCHINGPOST", near a point.
bool objectNearPoint(Vec3 point, GameHash scenarioType);
ScenarioPoint closestObject(Vec3 point, GameHash scenarioType);
void hitchPostPrepare(ScenarioPoint post);

// Orders, speech and weapons
void taskGoTo(Entity ped, Vec3 point);
void taskScenarioHere(Entity ped, GameHash scenario, float heading);
void taskTurnTo(Entity ped, float heading);
void taskMount(Entity ped, Entity mount);
void taskDismount(Entity ped);
void taskHitch(Entity ped, ScenarioPoint post);
void releaseVisitor(Entity ped);
void giveWeapon(Entity ped, GameHash weapon);

// Task sequences. A new order replaces whatever task a ped runs, so steps that
// must follow one another (get off the horse, then walk) go into a sequence:
// open it, give each step to intoSequence, close it, have the ped perform it,
// clear it. Nothing may wait in between.
inline constexpr Entity intoSequence{};  // ped 0: the order becomes a step of the open sequence
enum class SequenceId : int32_t {};
// The script variable the game writes a new sequence's id into: one 8-byte
// slot, the id in its low half, the high half the game's.
struct SequenceVariable {
  uint64_t slot = 0;
};
void openSequence(SequenceVariable& variable);
// The id the game wrote into the variable, from its low half.
SequenceId sequenceIdOf(const SequenceVariable& variable);
void closeSequence(SequenceId sequence);
void performSequence(Entity ped, SequenceId sequence);
// Frees the id; the ped goes on with the steps.
void clearSequence(SequenceVariable& variable);

// The record that goes with every spoken line, eight 64-bit slots.
struct SpeechParams {
  uint64_t slots[8] = {};
};
void speakWithParams(Entity ped, const SpeechParams& params);

// A ped speaks a named line, clearly, as a spoken beat. All speech goes here.
void sayLine(Entity ped, const char* line);

}  // namespace quillhaven
