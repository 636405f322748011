// A script host whose natives cost next to nothing, for measuring the
// plug-in's own cost: a switch over the hash answering from a fixed scene.
// It never allocates, so that every allocation counted is the plug-in's.
#pragma once

#include <array>
#include <cstdint>

namespace bench {

struct Scene {
  int32_t hour = 12;
  bool inValentine = true;
  int32_t gameTime = 100000;
  int32_t nearbyCount = 0;
  std::array<int32_t, 120> nearby{};
  int32_t missingPed = 0;  // the one handle that no longer names anything
};

extern Scene scene;
extern int64_t nativeCalls;

// Records the native calls of what follows, to replay them later with the
// same answers and none of the plug-in's own work.
struct RecordedCall {
  uint64_t hash = 0;
  std::array<uint64_t, 16> slots{};
  int count = 0;
};
void startRecording(RecordedCall* into, int capacity);
int stopRecording();  // how many were recorded
void replay(const RecordedCall* calls, int count);

}  // namespace bench
