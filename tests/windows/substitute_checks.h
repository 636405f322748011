// Checks on what the substitute ScriptHookRDR2.dll saw, for the programs that
// load the real Quillhaven.asi under Wine.
#pragma once

#include <gtest/gtest.h>

#include "substitute_host.h"

// Every call the substitute game rejected fails the test.
inline void expectNoCallRejected() {
  for (int index = 0; index < substituteRejectionCount(); ++index) {
    char reason[256];
    substituteDescribeRejection(index, reason, sizeof reason);
    ADD_FAILURE() << "the game rejected a call: " << reason;
  }
}
