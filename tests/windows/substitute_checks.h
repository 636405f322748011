// Checks on what the substitute ScriptHookRDR2.dll saw, for the programs that
// load the real Quillhaven.asi under Wine.
#pragma once

#include "check.h"
#include "substitute_host.h"

// Every call the substitute game rejected counts as a failed check.
inline void checkNoCallRejected() {
  for (int index = 0; index < substituteRejectionCount(); ++index) {
    char reason[256];
    substituteDescribeRejection(index, reason, sizeof reason);
    std::printf("the game rejected a call: %s\n", reason);
    ++checkFailures;
  }
}
