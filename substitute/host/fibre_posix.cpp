#include <ucontext.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "host/fibre.h"

#if defined(__SANITIZE_ADDRESS__)
#define SUBSTITUTE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SUBSTITUTE_ASAN 1
#endif
#endif

#ifdef SUBSTITUTE_ASAN
#include <sanitizer/common_interface_defs.h>
#endif

namespace substitute {

// AddressSanitizer must be told about every stack switch, or it reports the
// other stack's frames as overflows. Without it, these do nothing.
namespace {

void startSwitch([[maybe_unused]] void** fakeStackSave, [[maybe_unused]] const void* bottom,
                 [[maybe_unused]] size_t size) {
#ifdef SUBSTITUTE_ASAN
  __sanitizer_start_switch_fiber(fakeStackSave, bottom, size);
#endif
}

void finishSwitch([[maybe_unused]] void* fakeStackSave, [[maybe_unused]] const void** oldBottom,
                  [[maybe_unused]] size_t* oldSize) {
#ifdef SUBSTITUTE_ASAN
  __sanitizer_finish_switch_fiber(fakeStackSave, oldBottom, oldSize);
#endif
}

}  // namespace

struct Fibre::State {
  Entry entry = nullptr;
  // Left as it comes: only the pages the script touches are ever mapped in.
  std::unique_ptr<char[]> stack;
  size_t stackSize = 0;
  ucontext_t hostContext{};
  ucontext_t fibreContext{};
  void* hostFakeStack = nullptr;
  void* fibreFakeStack = nullptr;
  const void* hostStackBottom = nullptr;
  size_t hostStackSize = 0;
  bool finished = false;

  static void run(unsigned high, unsigned low) {
    const uintptr_t address = (static_cast<uintptr_t>(high) << 32) | low;
    State* self = reinterpret_cast<State*>(address);
    finishSwitch(nullptr, &self->hostStackBottom, &self->hostStackSize);
    self->entry();
    self->finished = true;
    // A null save tells the sanitizer this stack is done for.
    startSwitch(nullptr, self->hostStackBottom, self->hostStackSize);
    setcontext(&self->hostContext);
  }
};

Fibre::Fibre(Entry entry, size_t stackSize) : state_(std::make_unique<State>()) {
  state_->entry = entry;
  state_->stack.reset(new char[stackSize]);
  state_->stackSize = stackSize;
  if (getcontext(&state_->fibreContext) != 0) {
    std::perror("substitute: getcontext");
    std::abort();
  }
  state_->fibreContext.uc_stack.ss_sp = state_->stack.get();
  state_->fibreContext.uc_stack.ss_size = stackSize;
  state_->fibreContext.uc_link = nullptr;
  const auto address = reinterpret_cast<uintptr_t>(state_.get());
  makecontext(&state_->fibreContext, reinterpret_cast<void (*)()>(&State::run), 2,
              static_cast<unsigned>(address >> 32), static_cast<unsigned>(address & 0xFFFFFFFFu));
}

Fibre::~Fibre() = default;

void Fibre::resume() {
  if (state_->finished) return;
  startSwitch(&state_->hostFakeStack, state_->stack.get(), state_->stackSize);
  swapcontext(&state_->hostContext, &state_->fibreContext);
  finishSwitch(state_->hostFakeStack, nullptr, nullptr);
}

void Fibre::yield() {
  startSwitch(&state_->fibreFakeStack, state_->hostStackBottom, state_->hostStackSize);
  swapcontext(&state_->fibreContext, &state_->hostContext);
  finishSwitch(state_->fibreFakeStack, &state_->hostStackBottom, &state_->hostStackSize);
}

bool Fibre::finished() const { return state_->finished; }

}  // namespace substitute
