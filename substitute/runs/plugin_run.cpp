#include "runs/plugin_run.h"

namespace world {

void prepareGame(substitute::ScriptHost& host, SimWorld& town, uint64_t seed) {
  host.game.recordCalls = false;
  host.game.tickCount64 = seed * 2654435761u + 1;  // the plug-in seeds its generator from it
  town.install(host.game);
}

void runFor(substitute::ScriptHost& host, int64_t length, const RunControl& control) {
  auto finished = [&] {
    const bool betweenPasses = host.waits.back() == passWait;
    return betweenPasses && (host.game.gameTime >= length || (control.stopWanted && control.stopWanted()));
  };
  while (host.scriptRunning() && !finished()) {
    host.runWaits(1);
    if (control.afterEachWait) control.afterEachWait();
  }
}

}  // namespace world
