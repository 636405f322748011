#include "quillhaven/seam.h"
#include "world/plugin_run.h"

namespace world {

void attachPlugin(substitute::ScriptHost& host) {
  libraryEntry(&host, 1);
  host.startScript();
}

}  // namespace world
