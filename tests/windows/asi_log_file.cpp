// Quillhaven.log from the real Quillhaven.asi under Wine. Every case loads the
// plug-in afresh from a fresh game folder, next to the substitute
// ScriptHookRDR2.dll, runs one whole visit in Valentine and unloads it. The
// plug-in's clocks are pointed at the substitute game's, so every run makes
// the same native calls; the log, on, off or unwritable, must not change them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "import_redirect.h"
#include "substitute_checks.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* logName = "Quillhaven.log";

// A game folder as a player leaves it: the .asi and a Quillhaven.ini with no
// cooldown and `logSetting` (a whole line, or nothing).
fs::path freshGameFolder(const std::string& name, const std::string& logSetting) {
  const fs::path folder = fs::current_path() / name;
  fs::remove_all(folder);
  fs::create_directory(folder);
  fs::copy_file("Quillhaven.asi", folder / "Quillhaven.asi");
  std::ofstream(folder / "Quillhaven.ini", std::ios::binary)
      << "[General]\r\nCooldown=0\r\nAllowShopkeeperVisits=1\r\n"
      << logSetting;
  return folder;
}

std::string contentsOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct VisitRun {
  std::vector<std::string> calls;  // every native call, described
  bool visitReleased = false;
};

// Loads the plug-in from `folder` as the current folder, starts its script,
// calls `afterStart`, and runs passes in the staged town until the visitor is
// let go; then unloads it.
VisitRun runVisit(
    const fs::path& folder, const std::function<void()>& afterStart = [] {}) {
  VisitRun run;
  const fs::path home = fs::current_path();
  fs::current_path(folder);
  substituteResetHost();
  const HMODULE plugin = LoadLibraryA(".\\Quillhaven.asi");
  EXPECT_NE(plugin, nullptr);
  if (plugin != nullptr) {
    EXPECT_TRUE(substitute::redirectImport(plugin, "GetTickCount64",
                                           reinterpret_cast<const void*>(&substituteTickCount64)));
    EXPECT_EQ(substituteStartScript(), 1);
    afterStart();
    substituteStageTown();
    for (int pass = 0; pass < 200 && substituteCallsNamed("releaseVisitor") == 0; ++pass)
      substituteRunWaits(1);
    run.visitReleased = substituteCallsNamed("releaseVisitor") == 1;
    for (int index = 0; index < substituteCallCount(); ++index) {
      char text[512];
      substituteDescribeCall(index, text, sizeof text);
      run.calls.push_back(text);
    }
    expectNoCallRejected();
    FreeLibrary(plugin);
  }
  fs::current_path(home);
  return run;
}

// The run every other is held against: Log=0.
const VisitRun& logOff() {
  static const VisitRun run = runVisit(freshGameFolder("log-off", "Log=0\r\n"));
  return run;
}

TEST(QuillhavenLog, LogOnWritesTheStartAndTheWholeVisitInCrLfLines) {
  const fs::path folder = freshGameFolder("log-on", "Log=1\r\n");
  const VisitRun run = runVisit(folder);
  EXPECT_TRUE(run.visitReleased);
  EXPECT_EQ(run.calls, logOff().calls);  // the log calls no native of its own
  // Unloading the plug-in closed the file: nothing holds it any more.
  const HANDLE alone = CreateFileA((folder / logName).string().c_str(), GENERIC_READ, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(alone, INVALID_HANDLE_VALUE) << "the unloaded plug-in still holds " << logName;
  if (alone != INVALID_HANDLE_VALUE) CloseHandle(alone);

  const std::string log = contentsOf(folder / logName);
  ASSERT_FALSE(log.empty()) << "no " << logName << " in the game folder";
  std::vector<std::string> lines;
  std::istringstream split(log);
  for (std::string line; std::getline(split, line);) {
    EXPECT_TRUE(!line.empty() && line.back() == '\r' && line.find('\r') == line.size() - 1) << line;
    lines.push_back(line.substr(0, line.find('\r')));
  }
  EXPECT_EQ(log.back(), '\n');

  const std::string time = R"(\d\d:\d\d:\d\d  )";
  EXPECT_TRUE(std::regex_match(lines.front(),
                               std::regex(time + "game -  Quillhaven " QUILLHAVEN_VERSION
                                                 " started: Cooldown=0 AllowShopkeeperVisits=1 "
                                                 "Log=1; [1-9][0-9]* store spots; nothing switched off")))
      << lines.front();
  const std::regex sent(time + R"(game \d+  visit 1: 30, on foot, is sent to VALENTINE_[A-Z0-9_]+)");
  const std::regex complete(time + R"(game \d+  visit 1 is complete)");
  auto sentLine = std::find_if(lines.begin(), lines.end(),
                               [&](const auto& line) { return std::regex_match(line, sent); });
  auto completeLine =
      std::find_if(sentLine, lines.end(), [&](const auto& line) { return std::regex_match(line, complete); });
  EXPECT_NE(sentLine, lines.end()) << log;
  EXPECT_NE(completeLine, lines.end()) << log;
}

TEST(QuillhavenLog, LogOffOrMissingWritesNoFile) {
  EXPECT_TRUE(logOff().visitReleased);
  EXPECT_FALSE(fs::exists(fs::current_path() / "log-off" / logName));

  const fs::path folder = freshGameFolder("log-missing", "");
  EXPECT_EQ(runVisit(folder).calls, logOff().calls);
  EXPECT_FALSE(fs::exists(folder / logName));
}

// The visit runs on as with the log off, and what stands in the log's way is
// left as it was.
TEST(QuillhavenLog, AnUnwritableLogIsGivenUpSilently) {
  const fs::path blocked = freshGameFolder("log-blocked-by-folder", "Log=1\r\n");
  fs::create_directory(blocked / logName);
  const VisitRun besideFolder = runVisit(blocked);
  EXPECT_TRUE(besideFolder.visitReleased);
  EXPECT_EQ(besideFolder.calls, logOff().calls);
  EXPECT_TRUE(fs::is_directory(blocked / logName) && fs::is_empty(blocked / logName));

  // Held without sharing while the script starts, then let go: the plug-in has
  // given up by then and leaves the file alone for the rest of the visit.
  const fs::path locked = freshGameFolder("log-held-open", "Log=1\r\n");
  const std::string earlier = "a log the player keeps\r\n";
  HANDLE held = CreateFileA((locked / logName).string().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(held, earlier.data(), static_cast<DWORD>(earlier.size()), &written, nullptr);
  const VisitRun besideHeldFile = runVisit(locked, [&] { CloseHandle(held); });
  EXPECT_TRUE(besideHeldFile.visitReleased);
  EXPECT_EQ(besideHeldFile.calls, logOff().calls);
  EXPECT_EQ(contentsOf(locked / logName), earlier);
}

}  // namespace
