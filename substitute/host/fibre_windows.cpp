#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "host/fibre.h"

namespace substitute {

struct Fibre::State {
  Entry entry = nullptr;
  void* hostFibre = nullptr;
  void* fibre = nullptr;
  bool finished = false;

  static void CALLBACK run(void* parameter) {
    State* self = static_cast<State*>(parameter);
    self->entry();
    self->finished = true;
    SwitchToFiber(self->hostFibre);
  }
};

Fibre::Fibre(Entry entry, size_t stackSize) : state_(std::make_unique<State>()) {
  state_->entry = entry;
  state_->fibre = CreateFiber(stackSize, &State::run, state_.get());
  if (state_->fibre == nullptr) {
    std::fprintf(stderr, "substitute: CreateFiber failed\n");
    std::abort();
  }
}

Fibre::~Fibre() {
  if (state_->fibre != nullptr) DeleteFiber(state_->fibre);
}

namespace {

void* currentThreadFibre() {
  // The host's own thread becomes a fibre the first time it switches.
  if (!IsThreadAFiber()) return ConvertThreadToFiber(nullptr);
    // MinGW's GetCurrentFiber reads the thread block through a zero-length
    // array, which GCC's bounds check mistakes for an overflow.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
  return GetCurrentFiber();
#pragma GCC diagnostic pop
}

}  // namespace

void Fibre::resume() {
  if (state_->finished) return;
  state_->hostFibre = currentThreadFibre();
  SwitchToFiber(state_->fibre);
}

void Fibre::yield() { SwitchToFiber(state_->hostFibre); }

bool Fibre::finished() const { return state_->finished; }

}  // namespace substitute
