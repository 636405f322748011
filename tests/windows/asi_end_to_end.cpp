// Loads the real Quillhaven.asi the way the script host's loader does, next to
// the substitute ScriptHookRDR2.dll, from a game folder holding a
// Quillhaven.ini: attach registers the script and then the keyboard handler,
// the script runs on a fibre and hashes the shopkeeper models first, the
// cooldown of the settings file reaches its main loop, a whole visit runs
// from the walk order to the release, and detach unregisters in the same
// order. The file's version resource names the product and its
// version.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "shopkeeper_model_names.h"
#include "substitute_checks.h"

namespace {

enum Kind { scriptRegister = 0, scriptUnregister = 1, keyboardRegister = 2, keyboardUnregister = 3 };

struct Registration {
  int kind;
  void* module;
  void* function;
};

Registration registration(int index) {
  Registration seen{};
  seen.kind = substituteRegistration(index, &seen.module, &seen.function);
  return seen;
}

std::string describedCall(int index) {
  char text[512];
  substituteDescribeCall(index, text, sizeof text);
  return text;
}

HMODULE moduleOf(void* address) {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<const char*>(address), &module);
  return module;
}

bool prepareGameFolder() {
  CreateDirectoryA("e2e-game", nullptr);
  if (!CopyFileA("Quillhaven.asi", "e2e-game\\Quillhaven.asi", FALSE)) return false;
  HANDLE ini = CreateFileA("e2e-game\\Quillhaven.ini", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ini == INVALID_HANDLE_VALUE) return false;
  const char contents[] = "[General]\r\nCooldown=0\r\nAllowShopkeeperVisits=1\r\n";
  DWORD written = 0;
  WriteFile(ini, contents, sizeof contents - 1, &written, nullptr);
  CloseHandle(ini);
  return SetCurrentDirectoryA("e2e-game") != 0;
}

std::string versionString(const char* file, const char* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file, &ignored);
  if (size == 0) return "(no version resource)";
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(file, 0, size, data.data())) return "(unreadable version resource)";
  const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
    return "(missing)";
  return value;
}

}  // namespace

TEST(QuillhavenAsi, AttachesRunsAWholeVisitAndDetachesUnderWine) {
  ASSERT_TRUE(prepareGameFolder()) << "could not prepare the game folder";

  HMODULE plugin = LoadLibraryA(".\\Quillhaven.asi");
  ASSERT_NE(plugin, nullptr);

  // Attach: the script first, then the keyboard handler, both from the plug-in.
  EXPECT_EQ(substituteRegistrationCount(), 2);
  const Registration script = registration(0);
  const Registration keyboard = registration(1);
  EXPECT_EQ(script.kind, scriptRegister);
  EXPECT_EQ(script.module, plugin);
  EXPECT_EQ(moduleOf(script.function), plugin);
  EXPECT_EQ(keyboard.kind, keyboardRegister);
  EXPECT_EQ(moduleOf(keyboard.function), plugin);

  // The script: its first game calls hash the shopkeeper models, in order;
  // then it waits a quarter second per pass.
  EXPECT_EQ(substituteStartScript(), 1);
  substituteRunWaits(3);
  EXPECT_GE(substituteCallCount(), 20);
  for (int index = 0; index < 20 && index < substituteCallCount(); ++index) {
    EXPECT_EQ(describedCall(index),
                  std::string("nameHash(\"") + expectedShopkeeperModelNames[index] + "\")");
  }
  EXPECT_EQ(substituteWaitCount(), 4);
  for (int index = 0; index < substituteWaitCount(); ++index) EXPECT_EQ(substituteWait(index), 250);
  EXPECT_EQ(substituteGameTime(), 750);
  expectNoCallRejected();

  // By day, with every gate open and the player in a town, the loop tries a
  // pick long before game time 60000: Windows' reader gave it Cooldown=0.
  EXPECT_EQ(substituteCallsNamed("nearbyPeds"), 0);
  substituteAnswerInt("clockHour", 12);
  substituteAnswerInt("positionGate", 1);
  substituteAnswerInt("townTest", 1);
  substituteRunWaits(1);
  EXPECT_EQ(substituteGameTime(), 1000);
  EXPECT_EQ(substituteCallsNamed("nearbyPeds"), 2);  // both attempts find nobody

  // A whole visit in Valentine: townsperson 30 is sent to a spot, plays its
  // scenario, thanks the store and is let go. With no cooldown, the pass that
  // ends the visit may start the next one.
  substituteStageTown();
  const int firstCall = substituteCallCount();
  for (int pass = 0; pass < 200 && substituteCallsNamed("releaseVisitor") == 0; ++pass) substituteRunWaits(1);
  const std::vector<std::string> steps = {"taskGoTo(30, ", "taskScenarioHere(30, ",
                                          "speakWithParams(30, speech \"GENERIC_THANKS\")",
                                          "releaseVisitor(30, 1, 0)"};
  std::vector<std::string> story;
  for (int index = firstCall; index < substituteCallCount(); ++index) {
    const std::string call = describedCall(index);
    for (const std::string& step : steps) {
      if (call.rfind(step, 0) == 0) story.push_back(step);
    }
  }
  EXPECT_GE(story.size(), steps.size());
  for (size_t index = 0; index < steps.size() && index < story.size(); ++index) {
    EXPECT_EQ(story[index], steps[index]);
  }
  EXPECT_GE(substituteCallsNamed("speakWithParams"), 2);  // the greeting and the thanks

  EXPECT_EQ(versionString(".\\Quillhaven.asi", "ProductName"), "Quillhaven");
  EXPECT_EQ(versionString(".\\Quillhaven.asi", "FileVersion"), QUILLHAVEN_VERSION);

  // Detach: the script first, then the same keyboard handler.
  EXPECT_TRUE(FreeLibrary(plugin) != 0);
  EXPECT_EQ(substituteRegistrationCount(), 4);
  if (substituteRegistrationCount() == 4) {
    const Registration scriptGone = registration(2);
    const Registration keyboardGone = registration(3);
    EXPECT_EQ(scriptGone.kind, scriptUnregister);
    EXPECT_EQ(scriptGone.module, plugin);
    EXPECT_EQ(keyboardGone.kind, keyboardUnregister);
    EXPECT_EQ(keyboardGone.function, keyboard.function);
  }
}
