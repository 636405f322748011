// quillhaven-sim, run as a player or maintainer runs it: in a folder of its
// own, reading the Quillhaven.ini it finds there, and leaving there whatever
// the plug-in writes.
#pragma once

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

struct SimRun {
  int status = -1;
  std::string out;
  std::string err;
  std::string svg;
  std::string log;  // Quillhaven.log, if the plug-in wrote one
};

inline SimRun simulate(const std::string& arguments, const std::optional<std::string>& ini = std::nullopt,
                       const std::string& errors = "2>err.txt") {
  namespace fs = std::filesystem;
  std::string folderTemplate = (fs::temp_directory_path() / "quillhaven-sim-XXXXXX").string();
  const fs::path folder = mkdtemp(folderTemplate.data());
  if (ini) std::ofstream(folder / "Quillhaven.ini") << *ini;
  const std::string command =
      "cd '" + folder.string() + "' && '" QUILLHAVEN_SIM "' " + arguments + " " + errors;
  SimRun run;
  if (FILE* sim = popen(command.c_str(), "r")) {
    char chunk[4096];
    size_t read = 0;
    while ((read = fread(chunk, 1, sizeof chunk, sim)) > 0) run.out.append(chunk, read);
    const int status = pclose(sim);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  auto slurp = [](const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  run.err = slurp(folder / "err.txt");
  if (fs::exists(folder / "town.svg")) run.svg = slurp(folder / "town.svg");
  if (fs::exists(folder / "Quillhaven.log")) run.log = slurp(folder / "Quillhaven.log");
  fs::remove_all(folder);
  return run;
}
