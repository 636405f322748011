// A fresh world on Windows: the shipped Quillhaven.asi, loaded anew in this
// process as the game's loader loads it, its imports bound to the substitute
// ScriptHookRDR2.dll that holds the world, from a fresh folder beside the
// world's own settings file. Unloading it runs down its static state, as the
// end of the game process would; the next load starts it over.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>

#include "dst_fleet.h"
#include "dst_world.h"
#include "substitute_host.h"

namespace dst {

namespace {

namespace fs = std::filesystem;

// The plug-in, the host and the current folder belong to the whole process:
// one world at a time.
std::mutex oneAtATime;

// Points the loaded image's imports of a kernel32 function at `replacement`.
// False when the image imports no such function from kernel32.
bool redirectImport(HMODULE image, const char* function, const void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(image);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  bool found = false;
  for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       library->Name != 0; ++library) {
    if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "kernel32.dll") != 0) continue;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      DWORD protection = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
      found = true;
    }
  }
  return found;
}

void append(const char* text, void* output) { static_cast<std::string*>(output)->append(text); }

fs::path pluginBeside(const std::string& program) {
  return fs::path(program).parent_path() / "Quillhaven.asi";
}

// Loads the plug-in from the current folder's point of view, points its clocks
// at the world's, runs the world, and unloads it. Returns the world's result,
// 0 clean or 1 with violations; 2 when it could not run.
int runLoaded(const fs::path& plugin, uint64_t seed, double hours, bool trace, FreshRun& run) {
  substituteResetHost();
  const HMODULE image = LoadLibraryW(plugin.wstring().c_str());
  if (image == nullptr) {
    run.errors = "could not load " + plugin.string() + "\n";
    return 2;
  }
  // The plug-in seeds its generator from the tick count: the world's, as on
  // Linux, not the machine's. Its settings it reads with Windows' own reader.
  int result = 2;
  if (redirectImport(image, "GetTickCount64", reinterpret_cast<const void*>(&substituteTickCount64)) &&
      redirectImport(image, "GetTickCount", reinterpret_cast<const void*>(&substituteTickCount))) {
    result = substituteRunSeededWorld(seed, hours, trace ? 1 : 0, &append, &run.output);
    run.finished = true;
  } else {
    run.errors = plugin.string() + " imports no GetTickCount64 or GetTickCount from kernel32\n";
  }
  FreeLibrary(image);
  return result;
}

}  // namespace

std::string thisProgram() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(path).string();
}

FreshRun runFreshWorld(const FleetOptions& options, uint64_t seed, bool trace) {
  const std::lock_guard lock(oneAtATime);
  const fs::path folder =
      fs::temp_directory_path() /
      ("quillhaven-dst-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(seed));
  fs::create_directories(folder);
  writeWorldSettings(folder, seed, options.iniLines);
  const fs::path home = fs::current_path();
  fs::current_path(folder);
  FreshRun run;
  runLoaded(pluginBeside(options.self), seed, options.hours, trace, run);
  fs::current_path(home);
  fs::remove_all(folder);
  return run;
}

int runWorld(uint64_t seed, double hours, bool trace) {
  FreshRun run;
  const int result = runLoaded(pluginBeside(thisProgram()), seed, hours, trace, run);
  std::fputs(run.output.c_str(), stdout);
  std::fflush(stdout);  // so that the errors follow the output in a file that holds both
  std::fputs(run.errors.c_str(), stderr);
  return result;
}

}  // namespace dst
