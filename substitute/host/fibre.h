// The script's own stack, switched to and from cooperatively: the host
// resumes it, the script yields back from inside scriptWait. POSIX ucontext on
// Linux, Windows fibres on Windows; nothing else of the substitute differs.
#pragma once

#include <cstddef>
#include <memory>

namespace substitute {

class Fibre {
 public:
  using Entry = void (*)();

  Fibre(Entry entry, size_t stackSize);
  ~Fibre();
  Fibre(const Fibre&) = delete;
  Fibre& operator=(const Fibre&) = delete;

  // From the host: runs the fibre until it yields or its entry returns.
  void resume();
  // From inside the fibre: hands control back to the host.
  void yield();
  bool finished() const;

  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace substitute
