#include "dst_fleet.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "game/native_table.h"
#include "world/seeded_world.h"

extern char** environ;

namespace dst {

namespace {

namespace fs = std::filesystem;

struct Outcome {
  bool reported = false;  // the world's process printed its whole report
  bool clean = false;
  std::string report;
  uint64_t natives = 0;  // the natives the world called, by their place in the game's table
};

std::string hoursText(double hours) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", hours);
  return text;
}

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

// The world's report, with the natives line taken off its end.
Outcome outcomeOf(std::string output) {
  Outcome outcome;
  const size_t line = output.rfind(world::nativesCalledLine);
  if (line != std::string::npos && output.find(" violations, trace ") < line) {
    outcome.natives =
        std::stoull(output.substr(line + std::string_view(world::nativesCalledLine).size()), nullptr, 16);
    output.erase(line);
    outcome.reported = true;
    outcome.clean = output.find(" 0 violations,") != std::string::npos;
  }
  outcome.report = std::move(output);
  return outcome;
}

Outcome runInFreshProcess(const FleetOptions& options, uint64_t seed, bool trace) {
  std::string folderTemplate = (fs::temp_directory_path() / "quillhaven-dst-XXXXXX").string();
  const fs::path folder = mkdtemp(folderTemplate.data());
  if (const auto settings = world::settingsFor(seed)) std::ofstream(folder / "Quillhaven.ini") << *settings;
  std::vector<std::string> arguments = {options.self, "--world", std::to_string(seed), "--hours",
                                        hoursText(options.hours)};
  if (trace) arguments.emplace_back("--trace");
  std::string output;
  const bool exited = runIn(folder, arguments, output);
  Outcome outcome = outcomeOf(std::move(output));
  // What went to standard error matters only when the process failed: a
  // sanitizer's report, say.
  if (!exited || !outcome.reported) {
    std::ifstream errors(folder / "errors.txt");
    outcome.clean = false;
    outcome.report += "seed " + std::to_string(seed) + ": the world's process failed\n" +
                      std::string(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
  }
  fs::remove_all(folder);
  return outcome;
}

Outcome runSeed(const FleetOptions& options, uint64_t seed, bool twice, bool trace = false) {
  Outcome outcome = runInFreshProcess(options, seed, trace);
  if (twice && outcome.clean && runInFreshProcess(options, seed, trace).report != outcome.report) {
    outcome.clean = false;
    outcome.report += "  the same seed gave a different trace the second time\n";
  }
  return outcome;
}

std::string replayLine(const FleetOptions& options, uint64_t seed) {
  return "  replay: " + options.self + " --seed " + std::to_string(seed) + " --hours " +
         hoursText(options.hours) + "\n";
}

// The natives no world called, by name; empty when every one was.
std::string nativesNeverCalled(uint64_t called) {
  std::string names;
  const auto table = substitute::nativeTable();
  for (size_t place = 0; place < table.size(); ++place) {
    if ((called >> place & 1) == 0) names += (names.empty() ? "" : ", ") + std::string(table[place].name);
  }
  return names;
}

}  // namespace

int runOneSeed(const FleetOptions& options, bool trace) {
  const Outcome outcome = runSeed(options, options.first, true, trace);
  std::fputs(outcome.report.c_str(), stdout);
  return outcome.clean ? 0 : 1;
}

int runSeeds(const FleetOptions& options) {
  const auto started = std::chrono::steady_clock::now();
  const size_t count = static_cast<size_t>(options.last - options.first + 1);
  std::vector<Outcome> outcomes(count);
  std::atomic<size_t> next{0};
  std::vector<std::thread> workers;
  for (unsigned job = 0; job < options.jobs; ++job) {
    workers.emplace_back([&] {
      for (size_t index = next++; index < count; index = next++) {
        const uint64_t seed = options.first + index;
        outcomes[index] = runSeed(options, seed, seed % 10 == 0);  // every tenth seed runs twice
      }
    });
  }
  for (std::thread& worker : workers) worker.join();

  size_t failed = 0;
  uint64_t called = 0;
  for (size_t index = 0; index < count; ++index) {
    const Outcome& outcome = outcomes[index];
    called |= outcome.natives;
    if (outcome.clean) {
      if (options.reportAll) std::fputs(outcome.report.c_str(), stdout);
      continue;
    }
    ++failed;
    std::printf("%s%s", outcome.report.c_str(), replayLine(options, options.first + index).c_str());
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const std::string neverCalled = nativesNeverCalled(called);
  std::printf("%zu seeded worlds (seeds %llu to %llu), %.0f game hours, %zu failed, in %.1f s\n", count,
              static_cast<unsigned long long>(options.first), static_cast<unsigned long long>(options.last),
              count * options.hours, failed, seconds);
  if (options.everyNative && !neverCalled.empty()) {
    std::printf("no world of the range called %s\n", neverCalled.c_str());
    return 1;
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace dst
