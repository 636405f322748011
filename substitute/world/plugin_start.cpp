#include "quillhaven/seam.h"
#include "world/plugin_run.h"

namespace world {

void startPlugin(substitute::ScriptHost& host, SimWorld& town, uint64_t seed) {
  prepareGame(host, town, seed);
  libraryEntry(&host, 1);
  host.startScript();
}

}  // namespace world
