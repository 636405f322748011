// Supplies the twelve functions with its own minimal host and checks, from
// outside, that the library read its settings while loading, before main, and
// registers as promised. Exits nonzero on any difference.
#include <quillhaven/seam.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string events;  // what the library asked of the host, in order
void note(const std::string& event) { events += event + ";"; }
uint64_t resultSlots[8];
uint64_t global;

}  // namespace

extern "C" {
void scriptRegister(void*, ScriptMainFn) { note("scriptRegister"); }
void scriptUnregister(void*) { note("scriptUnregister"); }
void keyboardHandlerRegister(KeyboardHandlerFn) { note("keyboardHandlerRegister"); }
void keyboardHandlerUnregister(KeyboardHandlerFn) { note("keyboardHandlerUnregister"); }
void scriptWait(uint32_t) {}
void nativeInit(uint64_t) {}
void nativePush64(uint64_t) {}
uint64_t* nativeCall() { return resultSlots; }
uint64_t* getGlobalPtr(int32_t) { return &global; }
uint32_t GetPrivateProfileIntA(const char* section, const char* key, int32_t defaultValue,
                               const char* fileName) {
  note(std::string("read ") + section + "/" + key + " " + fileName);
  return static_cast<uint32_t>(defaultValue);
}
uint64_t GetTickCount64() { return 0; }
uint32_t GetTickCount() { return 0; }
}

int main() {
  const std::string atLoad = events;
  libraryEntry(nullptr, 1);
  libraryEntry(nullptr, 0);
  const std::string expected =
      "read General/Cooldown .\\Quillhaven.ini;read General/AllowShopkeeperVisits .\\Quillhaven.ini;"
      "read General/Log .\\Quillhaven.ini;"
      "read Towns/Valentine .\\Quillhaven.ini;read Towns/Strawberry .\\Quillhaven.ini;"
      "read Towns/Rhodes .\\Quillhaven.ini;read Towns/Blackwater .\\Quillhaven.ini;"
      "read Towns/Annesburg .\\Quillhaven.ini;read Towns/Tumbleweed .\\Quillhaven.ini;"
      "read Towns/SaintDenis .\\Quillhaven.ini;"
      "read Stores/Gunsmith .\\Quillhaven.ini;read Stores/GeneralStore .\\Quillhaven.ini;"
      "read Stores/Doctor .\\Quillhaven.ini;read Stores/PostOffice .\\Quillhaven.ini;"
      "read Stores/Tailor .\\Quillhaven.ini;read Stores/Barber .\\Quillhaven.ini;"
      "scriptRegister;keyboardHandlerRegister;scriptUnregister;keyboardHandlerUnregister;";
  if (events != expected || atLoad.find("Stores/Barber") == std::string::npos) {
    std::printf("expected %s\n     got %s\n", expected.c_str(), events.c_str());
    return 1;
  }
  std::printf("the library loads, reads its settings before main and registers\n");
  return 0;
}
