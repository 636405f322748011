#include "entry/key_states.h"

#include "quillhaven/seam.h"

namespace quillhaven {

std::array<KeyState, KeyCodeCount> keyStates{};

}  // namespace quillhaven

// The host may call this from outside the script fibre at any time. It only
// overwrites one record and calls neither the host nor the game.
extern "C" void keyboardHandler(uint32_t key, uint16_t /*repeats*/, uint8_t /*scanCode*/, int32_t /*flag1*/,
                                int32_t flag2, int32_t flag3, int32_t flag4) {
  if (key >= quillhaven::KeyCodeCount) return;
  quillhaven::keyStates[key] = {GetTickCount(), flag2, flag3, flag4};
}
