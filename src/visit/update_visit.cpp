#include "catalogue/store_spot.h"

namespace quillhaven {

// Visits do not advance yet: a visit stays as its start left it until the main
// loop forgets it.
bool StoreSpot::updateVisit() { return true; }

}  // namespace quillhaven
