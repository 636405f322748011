#include "recruit/pick.h"

namespace quillhaven {

// Nobody is recruited yet.
bool pickSpotAndVisitor(std::span<const StoreSpot>, int32_t&, Vec3) { return false; }

}  // namespace quillhaven
