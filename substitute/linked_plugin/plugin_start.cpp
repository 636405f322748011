#include "linked_plugin/plugin_start.h"

#include "quillhaven/seam.h"

namespace world {

void attachPlugin(substitute::ScriptHost& host) {
  libraryEntry(&host, 1);
  host.startScript();
}

}  // namespace world
