#include "fake_game/fake_game.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace substitute {

namespace {

uint32_t bitsFromFloat(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// A nonzero pattern with a zero exponent is a denormal, which no argument of
// the game ever is: it is what an integer pushed where a float belongs looks like.
bool looksLikeIntegerNotFloat(uint32_t bits) {
  return (bits & 0x7F800000u) == 0 && (bits & 0x007FFFFFu) != 0;
}

// A script array, as the game hands arrays to natives: 8-byte slots, the
// capacity in the low half of slot 0, element i in the low half of slot i + 1.
uint64_t* arraySlots(const Arg& arg) { return reinterpret_cast<uint64_t*>(static_cast<uintptr_t>(arg.slot)); }
size_t arrayCapacity(const Arg& arg) {
  const auto capacity = static_cast<int32_t>(static_cast<uint32_t>(arg.record.at(0)));
  return capacity > 0 ? static_cast<size_t>(capacity) : 0;
}

// The game writes every slot the array claims to have, whatever it reports:
// an array shorter than it claims is overrun here, as it would be in the game.
void fillClaimedSlots(const NativeCall& call) {
  for (const Arg& arg : call.args) {
    if (arg.kind != 'b') continue;
    uint64_t* slots = arraySlots(arg);
    std::fill_n(slots + 1, arrayCapacity(arg), junkHigh);
  }
}

size_t placeInTable(const NativeInfo& info) { return static_cast<size_t>(&info - nativeTable().data()); }

// The slots a result of this kind fills.
size_t resultSlotsOf(char result) {
  if (result == 'v') return 3;
  return result == '-' ? 0 : 1;
}

}  // namespace

Answer::Answer() { slots_.fill(junkHigh); }
void Answer::setLow(int index, uint32_t bits) { slots_[index] = junkHigh | bits; }
void Answer::setInt(int32_t value) { setLow(0, static_cast<uint32_t>(value)); }
void Answer::setFloat(float value) { setLow(0, bitsFromFloat(value)); }
void Answer::setVec3(float x, float y, float z) {
  setLow(0, bitsFromFloat(x));
  setLow(1, bitsFromFloat(y));
  setLow(2, bitsFromFloat(z));
}

FakeGame::FakeGame() { resetResponders(); }

uint32_t FakeGame::hashName(std::string_view text) {
  uint32_t hash = 2166136261u;  // FNV-1a
  for (char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

void FakeGame::resetResponders() {
  responders_.assign(nativeTable().size(), nullptr);
  on("nameHash", [](const NativeCall& call, Answer& answer) { answer.setHash(hashName(call.args[0].text)); });
  on("gameTimer", [this](const NativeCall&, Answer& answer) { answer.setInt(gameTime); });
}

void FakeGame::clearRecords() {
  calls.clear();
  rejections.clear();
  globals.clear();
  withholdResults = false;
  recordCalls = true;
  onCall = nullptr;
  gameTime = 0;
  tickCount64 = 0;
  tickCount = 0;
  rejectionCount = 0;
  inCall_ = false;
  pendingSlots_.clear();
  sequences_.reset();
}

void FakeGame::on(std::string_view native, Responder responder) {
  responders_[placeInTable(*findNative(nativeHash(native)))] = std::move(responder);
}

void FakeGame::answerInt(std::string_view native, int32_t value) {
  on(native, [value](const NativeCall&, Answer& answer) { answer.setInt(value); });
}

void FakeGame::answerFloat(std::string_view native, float value) {
  on(native, [value](const NativeCall&, Answer& answer) { answer.setFloat(value); });
}

void FakeGame::fillNearby(const NativeCall& call, Answer& answer, const std::vector<int32_t>& handles,
                          int32_t reportedCount) {
  uint64_t* slots = arraySlots(call.args[1]);
  const size_t capacity = arrayCapacity(call.args[1]);
  size_t written = 0;
  for (; written < handles.size() && written < capacity; ++written) {
    slots[1 + written] = junkHigh | static_cast<uint32_t>(handles[written]);
  }
  answer.handlesWritten = static_cast<int32_t>(written);
  answer.setInt(reportedCount);
}

std::vector<NativeCall> FakeGame::callsNamed(std::string_view native) const {
  std::vector<NativeCall> found;
  for (const NativeCall& call : calls) {
    if (call.name() == native) found.push_back(call);
  }
  return found;
}

void FakeGame::reject(std::string reason) {
  if (rejections.size() < rejectionsKept) rejections.push_back(std::move(reason));
  ++rejectionCount;
}

void FakeGame::init(uint64_t hash) {
  if (inCall_) reject("a native call started before the previous one finished");
  inCall_ = true;
  pendingHash_ = hash;
  pendingSlots_.clear();
}

void FakeGame::push(uint64_t slot) {
  if (!inCall_) reject("an argument pushed outside a native call");
  pendingSlots_.push_back(slot);
}

bool FakeGame::decode(const NativeInfo& info, NativeCall& call) {
  call.info = &info;
  if (pendingSlots_.size() != info.args.size()) {
    reject(std::string(info.name) + ": " + std::to_string(pendingSlots_.size()) +
           " arguments, the game takes " + std::to_string(info.args.size()));
    return false;
  }
  call.args.resize(info.args.size());
  bool valid = true;
  for (size_t index = 0; index < info.args.size(); ++index) {
    Arg& arg = call.args[index];
    arg.kind = info.args[index];
    arg.slot = pendingSlots_[index];
    arg.text.clear();
    arg.record.clear();
    const bool isValue = arg.kind == 'i' || arg.kind == 'f';
    auto refuse = [&](const char* why) {
      reject(std::string(info.name) + " argument " + std::to_string(index) + ": " + why);
      valid = false;
    };
    if (isValue && (arg.slot >> 32) != 0) {
      refuse("high half not zero");
    } else if (arg.kind == 'f' && looksLikeIntegerNotFloat(static_cast<uint32_t>(arg.slot))) {
      refuse("an integer where a float belongs");
    } else if (!isValue && arg.slot == 0) {
      refuse("null address");
    } else if (arg.kind == 't') {
      arg.text = reinterpret_cast<const char*>(static_cast<uintptr_t>(arg.slot));
    } else if (arg.kind == 's') {
      const auto* record = reinterpret_cast<const uint64_t*>(static_cast<uintptr_t>(arg.slot));
      arg.record.assign(record, record + 8);
      if (record[0] != 0) arg.text = reinterpret_cast<const char*>(static_cast<uintptr_t>(record[0]));
    } else if (arg.kind == 'b' && (arraySlots(arg)[0] >> 32) != 0) {
      refuse("the array's capacity slot has a high half");
    } else if (arg.kind == 'b') {
      arg.record.push_back(arraySlots(arg)[0]);
    }
  }
  call.steps.clear();
  return valid;
}

// What the game answered: its result slots, the handles it wrote into a
// nearby-peds array and the id a sequence's variable holds, each the low half
// of its slot.
void FakeGame::keepAnswer(NativeCall& call) {
  call.resultSlots = resultSlotsOf(call.info->result);
  std::copy_n(answer_.slots(), call.resultSlots, call.result.begin());
  for (Arg& arg : call.args) {
    if (arg.kind == 'w') {
      const auto* variable = reinterpret_cast<const uint64_t*>(static_cast<uintptr_t>(arg.slot));
      arg.record.push_back(static_cast<uint32_t>(*variable));  // all 8 bytes read, as the game reads them
    }
    if (arg.kind != 'b') continue;
    const uint64_t* slots = arraySlots(arg);
    for (int32_t index = 0; index < answer_.handlesWritten; ++index) {
      arg.record.push_back(static_cast<uint32_t>(slots[1 + index]));
    }
  }
}

uint64_t* FakeGame::call() {
  answer_ = Answer();
  if (!inCall_) {
    reject("a native called without nativeInit");
    return answer_.slots();
  }
  inCall_ = false;
  const NativeInfo* info = findNative(pendingHash_);
  if (info == nullptr) {
    char hash[24];
    std::snprintf(hash, sizeof hash, "0x%016llX", static_cast<unsigned long long>(pendingHash_));
    reject(std::string("unknown native ") + hash);
    return answer_.slots();
  }
  if (!decode(*info, decoded_)) return answer_.slots();
  if (std::string refused = sequences_.take(decoded_); !refused.empty()) {
    reject(std::move(refused));
    return answer_.slots();
  }
  fillClaimedSlots(decoded_);
  // A step for the open sequence orders nobody yet: the world learns of it
  // when a ped performs the sequence.
  const Responder& responder = responders_[placeInTable(*info)];
  if (responder && !isSequenceStep(decoded_)) responder(decoded_, answer_);
  keepAnswer(decoded_);
  if (onCall) onCall(decoded_);
  if (recordCalls) calls.push_back(decoded_);
  return withholdResults ? nullptr : answer_.slots();
}

}  // namespace substitute
