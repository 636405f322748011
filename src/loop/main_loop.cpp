#include "loop/main_loop.h"

#include <cstdint>

#include "entry/settings.h"
#include "quillhaven/seam.h"

namespace quillhaven {

namespace {

constexpr uint32_t passInterval = 250;  // milliseconds between passes

}  // namespace

int32_t loopCooldown = 0;

void mainLoop() {
  // The loop keeps its own copy: the setting is read once per load.
  loopCooldown = Cooldown;
  for (;;) {
    scriptWait(passInterval);
  }
}

}  // namespace quillhaven
