// The Windows entry point of Quillhaven.asi. All it does is hand the loader's
// call to the plug-in, whose reason codes are the loader's own.
#include "quillhaven/seam.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  return libraryEntry(module, reason);
}
