// Loads the plug-in in a process of its own, so that its static
// initialisation reads Quillhaven.ini from the current folder, and prints what
// it read.
#include <algorithm>
#include <cstdio>

#include "entry/settings.h"
#include "host/script_host.h"

int main() {
  std::printf("Cooldown=%d AllowShopkeeperVisits=%d Log=%d\n", static_cast<int>(quillhaven::Cooldown),
              quillhaven::AllowShopkeeperVisits ? 1 : 0, quillhaven::Log ? 1 : 0);
  std::printf("switched off:");
  auto printOff = [](const quillhaven::Switch& each) {
    if (!each.on) std::printf(" %s", each.key);
  };
  std::for_each(quillhaven::TownSwitches.begin(), quillhaven::TownSwitches.end(), printOff);
  std::for_each(quillhaven::StoreSwitches.begin(), quillhaven::StoreSwitches.end(), printOff);
  std::printf("\n");
  for (const substitute::ProfileRead& read : substitute::host().profileReads) {
    std::printf("read [%s] %s default %d from %s\n", read.section.c_str(), read.key.c_str(),
                static_cast<int>(read.defaultValue), read.fileName.c_str());
  }
  return 0;
}
