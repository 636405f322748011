// The substitute script host: what the game's script host does for a plug-in,
// reduced to what tests and the simulator need. It keeps the registrations,
// runs the registered script on a fibre of its own, advances the game clock by
// every wait, and forwards native calls to the fake game.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fake_game/fake_game.h"
#include "host/fibre.h"
#include "quillhaven/seam.h"

namespace substitute {

struct Registration {
  enum class Kind { scriptRegister, scriptUnregister, keyboardHandlerRegister, keyboardHandlerUnregister };
  Kind kind;
  void* module = nullptr;                // for the script operations
  ScriptMainFn script = nullptr;         // scriptRegister
  KeyboardHandlerFn keyboard = nullptr;  // keyboard operations
};

struct ProfileRead {
  std::string section;
  std::string key;
  int32_t defaultValue = 0;
  std::string fileName;
  uint32_t result = 0;
};

class ScriptHost {
 public:
  FakeGame game;
  std::vector<Registration> registrations;
  std::vector<uint32_t> waits;            // every scriptWait, in order
  std::vector<ProfileRead> profileReads;  // every settings read, in order
  // Called on the host's side at every wait, with its length, before the
  // clock advances by it and the script resumes: the place for a world to
  // move on.
  std::function<void(uint32_t milliseconds)> onWait;

  // Starts the registered script afresh on a new fibre and runs it to its
  // first wait. Returns false when no script is registered.
  bool startScript();
  // Resumes the script `count` times; each resumption ends at its next wait.
  void runWaits(int count);
  bool scriptRunning() const;

  // Forgets registrations, waits, the fake game's records and responders, and
  // stops the script. Settings reads made while loading stay recorded.
  void reset();
  // Frees the stacks of the scripts stopped so far, which are otherwise kept
  // until the program ends. A script's stack may hold what its frames
  // allocated, so a leak checker reports it freed; a host that starts many
  // plug-ins in turn frees them all the same.
  void freeStoppedScripts() { retired_.clear(); }

  // --- the seam side ---
  void registerScript(void* module, ScriptMainFn script);
  void unregisterScript(void* module);
  void registerKeyboard(KeyboardHandlerFn handler);
  void unregisterKeyboard(KeyboardHandlerFn handler);
  void scriptWait(uint32_t milliseconds);

 private:
  ScriptMainFn registeredScript() const;
  void resumeScript();

  std::unique_ptr<Fibre> fibre_;
  std::vector<std::unique_ptr<Fibre>> retired_;  // stopped scripts' stacks, kept until exit
  uint32_t pendingWait_ = 0;
  bool onScriptFibre_ = false;
};

// The one host that the seam functions talk to.
ScriptHost& host();

}  // namespace substitute
