// quillhaven-sim: the unchanged plug-in, driven by the substitute script host,
// in a simulated town. Standard output depends on the seed alone; the wall
// time, the speed and the progress of a long run go to standard error.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "host/script_host.h"
#include "linked_plugin/plugin_start.h"
#include "options.h"
#include "runs/plugin_run.h"
#include "story/picture.h"
#include "story/timeline.h"
#include "town/sim_world.h"

namespace {

// Standard output is buffered when it goes to a file and standard error is
// not, so with both in one file (> log 2>&1) a message to standard error would
// land inside a half-written timeline or summary line. Whatever standard
// output holds goes out first.
void beforeStandardError() { std::cout.flush(); }

void showProgress(const world::SimWorld& town, double done) {
  beforeStandardError();
  std::fprintf(stderr, "\r  %s  %3d%%", world::clockText(town.clockSeconds()).c_str(),
               static_cast<int>(done * 100));
  std::fflush(stderr);
}

int run(const sim::Options& options) {
  substitute::ScriptHost& host = substitute::host();
  world::SimWorld town(
      {*world::townNamed(options.town), options.seed, options.townsfolk, options.startMinute});
  world::Timeline timeline(town, std::cout);
  host.game.onCall = [&](const substitute::NativeCall& call) {
    if (options.trace)
      std::cout << world::clockText(town.clockSeconds()) << "  > " << call.describe() << '\n';
    timeline.observe(call);
  };
  int64_t passes = 0;
  host.onWait = [&](uint32_t milliseconds) {
    if (milliseconds == world::passWait) {
      timeline.afterPass();
      ++passes;
    }
    town.advance(static_cast<int32_t>(milliseconds));
    timeline.afterWait(milliseconds);
  };

  std::cout << "Quillhaven in " << town.town().display << ", seed " << options.seed << ", from "
            << world::clockText(options.startMinute * 60) << " for " << options.hours << " game hours\n\n";
  const auto started = std::chrono::steady_clock::now();
  world::prepareGame(host, town, options.seed);
  world::attachPlugin(host);
  const int64_t length = static_cast<int64_t>(options.hours * world::gameHour);
  const bool onTerminal = isatty(STDERR_FILENO) != 0;
  int64_t shownAt = -1;
  world::runFor(host, length,
                {.afterEachWait =
                     [&] {
                       if (onTerminal && passes % 400 == 0 && passes != shownAt) {
                         showProgress(town, static_cast<double>(host.game.gameTime) / length);
                         shownAt = passes;
                       }
                     },
                 .stopWanted = [&] { return host.game.rejectionCount > 0; }});
  // The run stops at the wait after its last pass, which has run all the same.
  timeline.afterPass();
  libraryEntry(&host, 0);
  if (host.game.rejectionCount > 0) {
    beforeStandardError();
    if (onTerminal) std::fputs("\r                \r", stderr);
    std::fprintf(stderr, "quillhaven-sim: at %s the game rejected a native call of the plug-in: %s\n",
                 world::clockText(town.clockSeconds()).c_str(), host.game.rejections.front().c_str());
    return 1;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  beforeStandardError();
  if (onTerminal) std::fputs("\r                \r", stderr);

  timeline.printSummary(std::cout, passes);
  beforeStandardError();
  std::fprintf(
      stderr,
      "simulated %.1f game hours (%.0f s of game time) in %.3f s of wall time: %.0f times real time\n",
      options.hours, length / 1000.0, seconds, length / 1000.0 / seconds);
  if (!options.svgFile.empty()) {
    std::ofstream picture(options.svgFile);
    world::drawTown(picture, town, timeline.visits(), options.seed);
    if (!picture) {
      beforeStandardError();
      std::fprintf(stderr, "quillhaven-sim: could not write %s\n", options.svgFile.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const sim::Parsed parsed = sim::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.options) {
    std::fprintf(stderr, "quillhaven-sim: %s\nTry 'quillhaven-sim --help'.\n", parsed.error.c_str());
    return 2;
  }
  if (parsed.options->help) {
    std::fputs(sim::usage().c_str(), stdout);
    return 0;
  }
  if (parsed.options->version) {
    std::puts("quillhaven-sim " QUILLHAVEN_VERSION);
    return 0;
  }
  return run(*parsed.options);
}
