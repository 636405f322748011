// The library's front door: the loader's attach and detach, and the start of
// the script on the host's fibre.
#include "entry/log_file.h"
#include "entry/random_source.h"
#include "entry/shopkeeper_models.h"
#include "loop/main_loop.h"
#include "quillhaven/seam.h"

namespace {

// The loader's reason codes.
constexpr uint32_t processDetach = 0;
constexpr uint32_t processAttach = 1;

}  // namespace

extern "C" int32_t libraryEntry(void* module, uint32_t reason) {
  if (reason == processAttach) {
    scriptRegister(module, scriptMain);
    keyboardHandlerRegister(keyboardHandler);
  } else if (reason == processDetach) {
    scriptUnregister(module);
    keyboardHandlerUnregister(keyboardHandler);
    quillhaven::closeLog();
  }
  return 1;  // attaching never fails
}

// Runs on the host's script fibre and never returns. A second start (the host
// restarting the script) reseeds and rebuilds the lists it owns, and keeps the
// visits that are running.
extern "C" void scriptMain() {
  quillhaven::randomSource.seed(static_cast<uint32_t>(GetTickCount64()));
  quillhaven::hashShopkeeperModels();
  quillhaven::mainLoop();
}
