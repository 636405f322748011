// Plug-in handles and game hashes, printed as numbers in a failed assertion.
#pragma once

#include <cstdint>
#include <ostream>

#include "game/natives.h"

namespace quillhaven {

inline void PrintTo(Entity entity, std::ostream* out) { *out << static_cast<int32_t>(entity); }
inline void PrintTo(GameHash hash, std::ostream* out) { *out << static_cast<uint32_t>(hash); }

}  // namespace quillhaven
