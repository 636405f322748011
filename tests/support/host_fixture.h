// Tests that drive the plug-in through the substitute host and game. Every
// test starts from a host with no registrations and a game with default
// answers, and fails if the plug-in made a call the game would reject.
#pragma once

#include <gtest/gtest.h>

#include "handles.h"
#include "host/script_host.h"

class HostTest : public ::testing::Test {
 protected:
  substitute::ScriptHost& host = substitute::host();
  substitute::FakeGame& game = substitute::host().game;

  void SetUp() override { host.reset(); }
  void TearDown() override {
    for (const std::string& rejection : game.rejections) ADD_FAILURE() << "game rejected: " << rejection;
  }

  std::vector<std::string> describedCalls() const {
    std::vector<std::string> described;
    for (const substitute::NativeCall& call : game.calls) described.push_back(call.describe());
    return described;
  }
};
