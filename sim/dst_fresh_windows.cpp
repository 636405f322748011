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
#include <string>

#include "dst_fleet.h"
#include "dst_world.h"
#include "import_redirect.h"
#include "substitute_host.h"

namespace dst {

namespace {

namespace fs = std::filesystem;

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
  if (substitute::redirectImport(image, "GetTickCount64",
                                 reinterpret_cast<const void*>(&substituteTickCount64)) &&
      substitute::redirectImport(image, "GetTickCount",
                                 reinterpret_cast<const void*>(&substituteTickCount))) {
    result = substituteRunSeededWorld(seed, hours, trace ? 1 : 0, &append, &run.output);
    run.finished = true;
  } else {
    run.errors = plugin.string() + " imports no GetTickCount64 or GetTickCount from kernel32\n";
  }
  FreeLibrary(image);
  // Left loaded, its static state would carry over into the next world.
  if (GetModuleHandleW(plugin.wstring().c_str()) != nullptr) {
    run.finished = false;
    run.errors += plugin.string() + " is still loaded after FreeLibrary\n";
    return 2;
  }
  return result;
}

// A folder for the world alone: a crashed earlier run may have left one of
// the same name, settings file and all, so it is emptied first.
bool prepareFolder(const fs::path& folder, std::string& errors) {
  std::error_code failed;
  fs::remove_all(folder, failed);
  if (!failed) fs::create_directories(folder, failed);
  if (failed)
    errors = "could not prepare the world's folder " + folder.string() + ": " + failed.message() + "\n";
  return !failed;
}

}  // namespace

std::string thisProgram() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(path).string();
}

// Every file-system failure is this world's, reported in its run; none ends
// the others.
FreshRun runFreshWorld(const FleetOptions& options, uint64_t seed, bool trace) {
  FreshRun run;
  std::error_code failed;
  const fs::path temporary = fs::temp_directory_path(failed);
  if (failed) {
    run.errors = "no temporary folder: " + failed.message() + "\n";
    return run;
  }
  const fs::path home = fs::current_path(failed);
  if (failed) {
    run.errors = "no current folder: " + failed.message() + "\n";
    return run;
  }
  const fs::path folder =
      temporary / ("quillhaven-dst-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(seed));
  if (!prepareFolder(folder, run.errors)) return run;
  if (!writeWorldSettings(folder, seed, options.iniLines, run.errors)) {
    fs::remove_all(folder, failed);
    return run;
  }
  fs::current_path(folder, failed);
  if (failed) {
    run.errors = "could not enter " + folder.string() + ": " + failed.message() + "\n";
  } else {
    runLoaded(pluginBeside(options.self), seed, options.hours, trace, run);
    fs::current_path(home, failed);
    if (failed) {
      // Stranded in the world's folder, the next world would start in it.
      run.finished = false;
      run.errors += "could not return to " + home.string() + ": " + failed.message() + "\n";
    }
  }
  std::error_code removal;  // apart, so that a failed return is not overwritten
  fs::remove_all(folder, removal);
  if (removal) {
    run.finished = false;
    run.errors += "could not remove " + folder.string() + ": " + removal.message() + "\n";
  }
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
