// A fresh world on Linux: a process of its own, started in a fresh folder
// beside the world's own settings file.
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dst_fleet.h"
#include "runs/seeded_world.h"

extern char** environ;

namespace dst {

namespace {

namespace fs = std::filesystem;

// Runs the program as `arguments` say in `folder`: its standard output is
// returned, its standard error goes to errors.txt there. False if it could
// not be started or did not exit normally with 0 or 1.
bool runIn(const fs::path& folder, const std::vector<std::string>& arguments, std::string& output) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "errors.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const bool started = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  char chunk[4096];
  for (ssize_t read = 0; started && (read = ::read(pipeEnds[0], chunk, sizeof chunk)) != 0;) {
    if (read > 0) output.append(chunk, static_cast<size_t>(read));
  }
  close(pipeEnds[0]);
  int status = -1;
  if (started) waitpid(child, &status, 0);
  return started && WIFEXITED(status) && WEXITSTATUS(status) <= 1;
}

}  // namespace

std::string thisProgram() { return fs::read_symlink("/proc/self/exe").string(); }

// Every file-system failure is this world's, reported in its run: a world
// that could not start counts as failed, as does one whose folder stays.
FreshRun runFreshWorld(const FleetOptions& options, uint64_t seed, bool trace) {
  FreshRun run;
  std::error_code failed;
  const fs::path temporary = fs::temp_directory_path(failed);
  if (failed) {
    run.errors = "no temporary folder: " + failed.message() + "\n";
    return run;
  }
  std::string folderTemplate = (temporary / "quillhaven-dst-XXXXXX").string();
  if (mkdtemp(folderTemplate.data()) == nullptr) {
    run.errors = "could not make a folder like " + folderTemplate + ": " + std::strerror(errno) + "\n";
    return run;
  }
  const fs::path folder = folderTemplate;
  if (writeWorldSettings(folder, seed, options.iniLines, run.errors)) {
    std::vector<std::string> arguments = {options.self, "--world", std::to_string(seed), "--hours",
                                          hoursText(options.hours)};
    if (trace) arguments.emplace_back("--trace");
    run.finished = runIn(folder, arguments, run.output);
    if (!run.finished || run.output.find(world::nativesCalledLine) == std::string::npos) {
      std::ifstream errors(folder / "errors.txt");
      run.errors.append(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
    }
  }
  fs::remove_all(folder, failed);
  if (failed) {
    run.finished = false;
    run.errors += "could not remove " + folder.string() + ": " + failed.message() + "\n";
  }
  return run;
}

}  // namespace dst
