#include "host/script_host.h"

namespace substitute {

namespace {

// Generous for a script that keeps a few hundred bytes of locals, and room for
// a sanitizer's larger frames.
constexpr size_t scriptStackSize = 1u << 20;

ScriptMainFn currentScript = nullptr;

void runCurrentScript() { currentScript(); }

}  // namespace

ScriptHost& host() {
  static ScriptHost instance;
  return instance;
}

ScriptMainFn ScriptHost::registeredScript() const {
  ScriptMainFn script = nullptr;
  for (const Registration& registration : registrations) {
    if (registration.kind == Registration::Kind::scriptRegister) script = registration.script;
    if (registration.kind == Registration::Kind::scriptUnregister) script = nullptr;
  }
  return script;
}

bool ScriptHost::startScript() {
  ScriptMainFn script = registeredScript();
  if (script == nullptr) return false;
  if (fibre_) retired_.push_back(std::move(fibre_));
  currentScript = script;
  pendingWait_ = 0;
  fibre_ = std::make_unique<Fibre>(&runCurrentScript, scriptStackSize);
  resumeScript();
  return true;
}

void ScriptHost::runWaits(int count) {
  for (int done = 0; done < count && scriptRunning(); ++done) {
    if (onWait) onWait(pendingWait_);
    game.gameTime = static_cast<int32_t>(static_cast<uint32_t>(game.gameTime) + pendingWait_);
    resumeScript();
  }
}

void ScriptHost::resumeScript() {
  onScriptFibre_ = true;
  fibre_->resume();
  onScriptFibre_ = false;
}

bool ScriptHost::scriptRunning() const { return fibre_ && !fibre_->finished(); }

void ScriptHost::reset() {
  if (fibre_) retired_.push_back(std::move(fibre_));
  registrations.clear();
  waits.clear();
  onWait = nullptr;
  pendingWait_ = 0;
  game.clearRecords();
  game.resetResponders();
}

void ScriptHost::registerScript(void* module, ScriptMainFn script) {
  registrations.push_back({Registration::Kind::scriptRegister, module, script, nullptr});
}

void ScriptHost::unregisterScript(void* module) {
  registrations.push_back({Registration::Kind::scriptUnregister, module, nullptr, nullptr});
}

void ScriptHost::registerKeyboard(KeyboardHandlerFn handler) {
  registrations.push_back({Registration::Kind::keyboardHandlerRegister, nullptr, nullptr, handler});
}

void ScriptHost::unregisterKeyboard(KeyboardHandlerFn handler) {
  registrations.push_back({Registration::Kind::keyboardHandlerUnregister, nullptr, nullptr, handler});
}

void ScriptHost::scriptWait(uint32_t milliseconds) {
  // The game's own scripts fill, close, perform and clear a sequence within
  // one frame.
  if (game.sequences().anyOpen()) game.reject("scriptWait: a wait while a task sequence is open");
  waits.push_back(milliseconds);
  if (onScriptFibre_) {
    pendingWait_ = milliseconds;
    fibre_->yield();
    return;
  }
  // Called straight from a test, off the fibre: the game runs on at once.
  if (onWait) onWait(milliseconds);
  game.gameTime = static_cast<int32_t>(static_cast<uint32_t>(game.gameTime) + milliseconds);
}

}  // namespace substitute
