#pragma once

namespace quillhaven {

// Whether visits may be worked on in this pass at all: by day (hours 6 to 23),
// with the game's state and the player's position allowing it, and with no
// town under a law lockdown. Asks the game in that order and stops at the
// first closed gate.
bool visitWorkAllowed();

}  // namespace quillhaven
