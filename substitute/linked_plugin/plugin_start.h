// The start of the plug-in whose library is linked into the program.
#pragma once

#include "host/script_host.h"

namespace world {

// Attaches the plug-in's library and starts its script, which builds the
// catalogue: after prepareGame. On Windows, loading the .asi attaches it.
void attachPlugin(substitute::ScriptHost& host);

}  // namespace world
