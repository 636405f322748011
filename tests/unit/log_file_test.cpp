// Quillhaven.log's own rules, with Log=1 read from the folder each case runs
// in: started afresh, bounded, and silent when it cannot be written.
#include "entry/log_file.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "entry/settings.h"
#include "game/natives.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::MatchesRegex;

std::vector<std::string> logLines() {
  std::ifstream file("Quillhaven.log", std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

TEST(LogFile, StartsAfreshAndStopsAtOneMebibyteWithALineSayingSo) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  std::ofstream("Quillhaven.log") << "a line of the last game\n";
  quillhaven::logLine("first %d", 1);
  quillhaven::lastGameTime = {true, 4242};
  quillhaven::logLine("second");
  EXPECT_THAT(logLines(), ElementsAre(MatchesRegex("[0-9][0-9]:[0-9][0-9]:[0-9][0-9]  game -  first 1"),
                                      EndsWith("  game 4242  second")));

  const std::string filler(100, 'x');
  for (int line = 0; line < 20000 && quillhaven::logging(); ++line) quillhaven::logLine("%s", filler.c_str());
  EXPECT_FALSE(quillhaven::logging());
  const auto full = fs::file_size("Quillhaven.log");
  EXPECT_LE(full, 1u << 20);
  EXPECT_GT(full, (1u << 20) - 256);
  const std::vector<std::string> lines = logLines();
  EXPECT_THAT(lines.back(), EndsWith("log full at 1 MiB: no more lines until the game starts again"));
  EXPECT_THAT(lines[lines.size() - 2], EndsWith(filler));
  quillhaven::logLine("after the end");
  EXPECT_EQ(fs::file_size("Quillhaven.log"), full);
}

TEST(LogFile, AFolderInTheWayTurnsTheLogOffSilently) {
  ASSERT_TRUE(quillhaven::Log) << "this case runs beside a Quillhaven.ini saying Log=1";
  ASSERT_TRUE(fs::is_directory("Quillhaven.log"));
  quillhaven::logLine("nobody reads this");
  EXPECT_FALSE(quillhaven::logging());
  EXPECT_TRUE(fs::is_empty("Quillhaven.log"));
}

}  // namespace
