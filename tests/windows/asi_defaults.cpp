// Loads Quillhaven.asi from a game folder exactly as a player leaves it (the
// .asi and its Quillhaven.ini) and shows the settings at work: with the
// defaults, the first visit is tried only once more than 60000 ms of game
// time have passed.
//   asi_defaults <game folder>
#include <windows.h>

#include "substitute_checks.h"

int main(int argc, char** argv) {
  if (argc != 2 || !SetCurrentDirectoryA(argv[1])) {
    std::printf("usage: asi_defaults <game folder holding Quillhaven.asi>\n");
    return 2;
  }
  HMODULE plugin = LoadLibraryA(".\\Quillhaven.asi");
  CHECK(plugin != nullptr);
  if (plugin == nullptr) return checkResult("the release's defaults");
  CHECK(substituteStartScript() == 1);
  substituteStageTown();  // by day in Valentine, gates open, a townsperson at hand

  substituteRunWaits(240);  // the last of these passes runs at game time 60000
  CHECK(substituteGameTime() == 60000);
  CHECK(substituteCallsNamed("nearbyPeds") == 0);
  CHECK(substituteCallsNamed("taskGoTo") == 0);
  substituteRunWaits(1);
  CHECK(substituteCallsNamed("nearbyPeds") == 1);
  CHECK(substituteCallsNamed("taskGoTo") == 1);

  checkNoCallRejected();
  FreeLibrary(plugin);
  return checkResult("the release's defaults");
}
