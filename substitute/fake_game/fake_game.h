// A programmable stand-in for the game behind the script host's native
// interface. It records every native call with its decoded arguments, answers
// each through a responder a test can set, and rejects a call whose slots are
// not encoded as the game expects. Portable C++: the Linux seam and the
// Windows substitute host both drive it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fake_game/native_call.h"
#include "fake_game/native_table.h"
#include "fake_game/task_sequences.h"

namespace substitute {

// The result slots a responder fills. Low halves start at zero; high halves
// hold junk, as nothing may rely on them.
class Answer {
 public:
  Answer();
  void setInt(int32_t value);
  void setHash(uint32_t value) { setInt(static_cast<int32_t>(value)); }
  void setBool(bool value) { setInt(value ? 1 : 0); }
  void setFloat(float value);
  void setVec3(float x, float y, float z);
  uint64_t* slots() { return slots_.data(); }
  // How many handles the responder wrote into the call's nearby-peds array.
  int32_t handlesWritten = 0;

 private:
  void setLow(int index, uint32_t bits);
  std::array<uint64_t, 8> slots_;
};

using Responder = std::function<void(const NativeCall&, Answer&)>;

class FakeGame {
 public:
  FakeGame();

  // --- the host's native interface ---
  void init(uint64_t hash);
  void push(uint64_t slot);
  uint64_t* call();
  uint64_t* global(int32_t index) { return &globals[index]; }

  // --- programming the game ---
  void on(std::string_view native, Responder responder);
  void answerInt(std::string_view native, int32_t value);
  void answerFloat(std::string_view native, float value);
  // Restores the default answers: nameHash hashes its text, gameTimer tells
  // gameTime, everything else answers zero.
  void resetResponders();
  // Forgets calls, rejections, globals, times and task sequences; keeps the
  // responders.
  void clearRecords();

  // What the game's name hash gives for a text.
  static uint32_t hashName(std::string_view text);

  // Writes up to the array's capacity of handles into a nearby-peds call's
  // script array, each in the low half of its slot with junk in the high
  // half, and answers the reported count, which may exceed what was written.
  static void fillNearby(const NativeCall& call, Answer& answer, const std::vector<int32_t>& handles,
                         int32_t reportedCount);

  // --- what happened ---
  bool recordCalls = true;                        // false: a long run keeps no log of its calls
  std::function<void(const NativeCall&)> onCall;  // told of every accepted call, after its answer
  std::vector<NativeCall> calls;
  // Why calls were rejected: the first few, and how many there were in all.
  static constexpr size_t rejectionsKept = 16;
  std::vector<std::string> rejections;
  uint64_t rejectionCount = 0;
  std::vector<NativeCall> callsNamed(std::string_view native) const;
  // A call, or a wait of the script, that the game would choke on.
  void reject(std::string reason);
  const TaskSequences& sequences() const { return sequences_; }
  TaskSequences& sequences() { return sequences_; }

  // A host that hands back no result slots at all; nothing may crash on it.
  bool withholdResults = false;

  // --- the world's clocks and globals ---
  int32_t gameTime = 0;  // game milliseconds, what gameTimer answers by default
  uint64_t tickCount64 = 0;
  uint32_t tickCount = 0;
  std::map<int32_t, uint64_t> globals;

 private:
  bool decode(const NativeInfo& info, NativeCall& call);
  void keepAnswer(NativeCall& call);

  std::vector<Responder> responders_;  // by the native's place in the table
  TaskSequences sequences_;
  bool inCall_ = false;
  uint64_t pendingHash_ = 0;
  std::vector<uint64_t> pendingSlots_;
  NativeCall decoded_;  // reused from call to call, so that a call allocates nothing
  Answer answer_;
};

}  // namespace substitute
