// Natives that give orders: tasks, speech and weapons.
#include "game/native_call.h"
#include "game/natives.h"

namespace quillhaven {

using native::call;

void taskGoTo(Entity ped, Vec3 p) {
  call(0x5BC448CB78FA3E88, ped, p.x, p.y, p.z, 1.0f, 0, 0, 786603, -1.0f);  // TASK_GO_TO_COORD_ANY_MEANS
}
void taskScenarioHere(Entity ped, GameHash scenario, float heading) {
  call(0x524B54361229154F, ped, scenario, 30000, 1, 0, heading, 1);  // TASK_START_SCENARIO_IN_PLACE_HASH
}
void taskTurnTo(Entity ped, float heading) {
  call(0x93B93A37987F1F3D, ped, heading, 5000);  // TASK_ACHIEVE_HEADING
}
void taskMount(Entity ped, Entity mount) {
  call(0x92DB0739813C5186, ped, mount, -1, -1, 1.5f, 1, 0, 0);  // TASK_MOUNT_ANIMAL
}
void taskDismount(Entity ped) {
  call(0x48E92D3DDE23C23A, ped, 262144, 1, 0, 0, 0);  // TASK_DISMOUNT_ANIMAL
}
void taskHitch(Entity ped, ScenarioPoint post) {
  call(0x9030AD4B6207BFE8, ped, post, 0);  // TASK_HITCH_ANIMAL
}
void releaseVisitor(Entity ped) {
  call(0xE1EF3C1216AFF2CD, ped, 1, 0);  // CLEAR_PED_TASKS
}

void openSequence(SequenceVariable& variable) {
  call(0xE8854A4326B9E12B, &variable);  // OPEN_SEQUENCE_TASK
}
SequenceId sequenceIdOf(const SequenceVariable& variable) {
  return SequenceId{static_cast<int32_t>(native::lowBits(&variable.slot))};
}
void closeSequence(SequenceId sequence) {
  call(0x39E72BC99E6360CB, sequence);  // CLOSE_SEQUENCE_TASK
}
void performSequence(Entity ped, SequenceId sequence) {
  call(0x5ABA3986D90D8A3B, ped, sequence);  // TASK_PERFORM_SEQUENCE
}
void clearSequence(SequenceVariable& variable) {
  call(0x3841422E9C488D8C, &variable);  // CLEAR_SEQUENCE_TASK
}

// The twelfth argument, the weapon's wear, is a float in the game.
void giveWeapon(Entity ped, GameHash weapon) {
  const GameHash reason = nameHash("ADD_REASON_DEFAULT");
  // GIVE_WEAPON_TO_PED
  call(0x5E3BDDBCB83F3D84, ped, weapon, 50, 0, 1, 0, 0, 0.5f, 1.0f, reason, 0, 0.0f, 0);
}

void speakWithParams(Entity ped, const SpeechParams& params) {
  const void* record = &params;
  call(0x8E04FEDD28D42462, ped, record);  // PLAY_PED_AMBIENT_SPEECH_NATIVE
}

void sayLine(Entity ped, const char* line) {
  SpeechParams params;
  params.slots[0] = native::slot(line);
  params.slots[3] = native::slot(nameHash("SPEECH_PARAMS_BEAT_SPOKEN_CLEAR"));
  params.slots[5] = 1;
  params.slots[6] = 1;
  params.slots[7] = 1;
  speakWithParams(ped, params);
}

}  // namespace quillhaven
