#include "cheap_host.h"

#include <algorithm>
#include <cstring>

#include "profile/profile_int.h"
#include "quillhaven/seam.h"

namespace bench {

Scene scene;
int64_t nativeCalls = 0;

namespace {

// Hashes of the natives the scene answers.
enum : uint64_t {
  nameHashNative = 0xFD340785ADF8CFB7,
  gameTimerNative = 0x4F67E8ECA7D3F667,
  clockHourNative = 0xC82CF208C2B19199,
  positionGateNative = 0x43AD8FC02B429D33,
  townTestNative = 0x8E34C953364A76DD,
  playerPedNative = 0x096275889B8E0EE0,
  entityPositionNative = 0xA86D5F069399F44D,
  entityExistsNative = 0xD42BD6EB2E0F1677,
  pointDistanceNative = 0xB7A628320EFF8E47,
  nearbyPedsNative = 0x23F8F5FC7E8C4A6B,
  pedRequireTestNative = 0xB980061DA992779D,
};

uint64_t currentHash = 0;
std::array<uint64_t, 16> arguments{};
int argumentCount = 0;
std::array<uint64_t, 8> result{};
uint64_t global = 0;
RecordedCall* recording = nullptr;
int recordingCapacity = 0;
int recorded = 0;
std::array<uint64_t, 121> replayArray{};

uint32_t textHash(const char* text) {
  uint32_t hash = 2166136261u;
  for (; *text != 0; ++text) hash = (hash ^ static_cast<unsigned char>(*text)) * 16777619u;
  return hash;
}

const uint32_t valentine = textHash("valentine");

float floatArgument(int index) {
  float value = 0.0f;
  const uint32_t bits = static_cast<uint32_t>(arguments[static_cast<size_t>(index)]);
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

uint64_t floatSlot(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// As the game fills a script array: the capacity in the low half of slot 0,
// ped i in the low half of slot i + 1, junk in the high halves, and every slot
// the array claims written.
void fillNearby(uint64_t* slots) {
  constexpr uint64_t junkHigh = 0xA5A5A5A500000000ull;
  const auto claimed = static_cast<int32_t>(static_cast<uint32_t>(slots[0]));
  const int32_t capacity = std::max(claimed, 0);
  const int32_t count =
      std::clamp(scene.nearbyCount, 0, std::min(capacity, static_cast<int32_t>(scene.nearby.size())));
  for (int32_t index = 0; index < capacity; ++index) {
    const uint32_t ped = index < count ? static_cast<uint32_t>(scene.nearby[static_cast<size_t>(index)]) : 0u;
    slots[index + 1] = junkHigh | ped;
  }
}

uint64_t answer() {
  switch (currentHash) {
    case nameHashNative:
      return textHash(reinterpret_cast<const char*>(arguments[0]));
    case gameTimerNative:
      return static_cast<uint32_t>(scene.gameTime);
    case clockHourNative:
      return static_cast<uint32_t>(scene.hour);
    case positionGateNative:
      return 1;
    case townTestNative:
      return scene.inValentine && static_cast<uint32_t>(arguments[0]) == valentine;
    case playerPedNative:
      return 1;
    case entityPositionNative:  // everyone stands on Valentine's main street
      result[1] = floatSlot(795.0f);
      result[2] = floatSlot(118.0f);
      return floatSlot(-297.0f);
    case entityExistsNative:
      return static_cast<int32_t>(arguments[0]) != scene.missingPed;
    case pedRequireTestNative:
      return 1;
    case pointDistanceNative: {
      const float dx = floatArgument(0) - floatArgument(3), dy = floatArgument(1) - floatArgument(4);
      return floatSlot(dx * dx + dy * dy);
    }
    case nearbyPedsNative:
      fillNearby(reinterpret_cast<uint64_t*>(arguments[1]));
      return static_cast<uint32_t>(scene.nearbyCount);
    default:
      return 0;  // every other question answers no, every order is taken
  }
}

}  // namespace

void startRecording(RecordedCall* into, int capacity) {
  recording = into;
  recordingCapacity = capacity;
  recorded = 0;
}

int stopRecording() {
  recording = nullptr;
  return recorded;
}

void replay(const RecordedCall* calls, int count) {
  replayArray[0] = 120;
  for (int index = 0; index < count; ++index) {
    const RecordedCall& call = calls[index];
    nativeInit(call.hash);
    for (int slot = 0; slot < call.count; ++slot) {
      // An array the plug-in passed lived on its stack; the replay has its own.
      const bool array = call.hash == nearbyPedsNative && slot == 1;
      nativePush64(array ? reinterpret_cast<uintptr_t>(replayArray.data())
                         : call.slots[static_cast<size_t>(slot)]);
    }
    nativeCall();
  }
}

}  // namespace bench

using namespace bench;

extern "C" {

void scriptRegister(void*, ScriptMainFn) {}
void scriptUnregister(void*) {}
void keyboardHandlerRegister(KeyboardHandlerFn) {}
void keyboardHandlerUnregister(KeyboardHandlerFn) {}
void scriptWait(uint32_t milliseconds) { scene.gameTime += static_cast<int32_t>(milliseconds); }

void nativeInit(uint64_t hash) {
  currentHash = hash;
  argumentCount = 0;
  ++nativeCalls;
}

void nativePush64(uint64_t slot) {
  if (argumentCount < static_cast<int>(arguments.size()))
    arguments[static_cast<size_t>(argumentCount++)] = slot;
}

uint64_t* nativeCall() {
  if (recording != nullptr && recorded < recordingCapacity) {
    RecordedCall& call = recording[recorded++];
    call.hash = currentHash;
    call.slots = arguments;
    call.count = argumentCount;
  }
  result[0] = answer();
  return result.data();
}

uint64_t* getGlobalPtr(int32_t) { return &global; }
// The settings of the folder the benchmark runs in, read as Windows reads them.
uint32_t GetPrivateProfileIntA(const char* section, const char* key, int32_t defaultValue, const char* file) {
  return substitute::readProfileInt(section, key, defaultValue, file);
}
uint64_t GetTickCount64() { return 1; }
uint32_t GetTickCount() { return 1; }

}  // extern "C"
