#include "dst_fleet.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "fake_game/native_table.h"
#include "runs/seeded_world.h"
#include "runs/settings_variant.h"

namespace dst {

namespace {

struct Outcome {
  bool reported = false;  // the world's process printed its whole report
  bool clean = false;
  std::string report;
  uint64_t natives = 0;  // the natives the world called, by their place in the game's table
};

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

// A world's run, as its report tells it. What went wrong outside the report
// matters only when the run did not finish: a sanitizer's report, say.
Outcome runFresh(const FleetOptions& options, uint64_t seed, bool trace) {
  const FreshRun run = runFreshWorld(options, seed, trace);
  Outcome outcome = outcomeOf(run.output);
  if (!run.finished || !outcome.reported) {
    outcome.clean = false;
    outcome.report += "seed " + std::to_string(seed) + ": the world's run failed\n" + run.errors;
  }
  return outcome;
}

Outcome runSeed(const FleetOptions& options, uint64_t seed, bool twice, bool trace = false) {
  Outcome outcome = runFresh(options, seed, trace);
  if (twice && outcome.clean && runFresh(options, seed, trace).report != outcome.report) {
    outcome.clean = false;
    outcome.report += "  the same seed gave a different trace the second time\n";
  }
  return outcome;
}

std::string replayLine(const FleetOptions& options, uint64_t seed) {
  std::string line = "  replay: " + options.self + " --seed " + std::to_string(seed) + " --hours " +
                     hoursText(options.hours);
  for (const std::string& extra : options.iniLines) line += " --ini-line '" + extra + "'";
  return line + "\n";
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

bool writeWorldSettings(const std::filesystem::path& folder, uint64_t seed,
                        const std::vector<std::string>& extraLines, std::string& errors) {
  std::optional<std::string> settings = world::settingsFor(seed);
  if (!settings && extraLines.empty()) return true;
  if (!settings) settings = "[General]\r\n";
  for (const std::string& line : extraLines) *settings += line + "\r\n";
  const std::filesystem::path file = folder / "Quillhaven.ini";
  std::ofstream written(file, std::ios::binary);
  written << *settings;
  written.close();
  if (!written) errors += "could not write " + file.string() + "\n";
  return static_cast<bool>(written);
}

std::string hoursText(double hours) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", hours);
  return text;
}

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
