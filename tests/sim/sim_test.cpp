// quillhaven-sim, run as a player or maintainer runs it.
#include <gmock/gmock.h>

#include <map>
#include <regex>
#include <sstream>
#include <vector>

#include "sim_run.h"
#include "town/towns.h"

namespace {

using ::testing::HasSubstr;

int linesMatching(const std::string& text, const std::string& pattern) {
  const std::regex wanted(pattern);
  std::istringstream lines(text);
  int count = 0;
  for (std::string line; std::getline(lines, line);) count += std::regex_search(line, wanted);
  return count;
}

// The number the summary gives for a row.
int summaryNumber(const std::string& text, const std::string& row) {
  std::smatch found;
  if (!std::regex_search(text, found, std::regex("\n +" + row + " +([0-9]+)\n"))) return -1;
  return std::stoi(found[1]);
}

class DefaultDay : public ::testing::Test {
 protected:
  static const SimRun& day() {
    static const SimRun run = simulate("--svg town.svg");
    return run;
  }
};

TEST_F(DefaultDay, ShowsEverythingAVisitCanBringInValentine) {
  const std::string& out = day().out;
  ASSERT_EQ(day().status, 0) << day().err;
  EXPECT_GT(linesMatching(out, "is sent to VALENTINE_GUNSMITH_"), 0);
  EXPECT_GT(linesMatching(out, "is sent to VALENTINE_DOCTOR_"), 0);
  EXPECT_GT(linesMatching(out, "is sent to VALENTINE_GENERAL_STORE_"), 0);
  EXPECT_GT(linesMatching(out, ", hitched at a post, is sent to"), 0);
  EXPECT_GT(linesMatching(out, ", dismounted, is sent to"), 0);
  EXPECT_GT(linesMatching(out, "the keeper of .* says \"WELCOME"), 0);
  EXPECT_GT(linesMatching(out, "the keeper of .* says \"FAREWELL\""), 0);
  EXPECT_GT(linesMatching(out, "is handed a weapon_"), 0);
  EXPECT_GT(linesMatching(out, "walks back to its horse"), 0);
  EXPECT_GT(linesMatching(out, "is off its horse$"), 0);
  EXPECT_GT(linesMatching(out, "finishes its scenario, which held the visit$"), 0);
  EXPECT_THAT(day().err, HasSubstr("times real time"));
}

TEST_F(DefaultDay, TheSummaryAgreesWithTheTimeline) {
  const std::string& out = day().out;
  const std::map<std::string, std::string> rows = {
      {"visits started", "is sent to "},
      {"on foot", ", on foot, is sent to"},
      {"hitched at a post", ", hitched at a post, is sent to"},
      {"dismounted", ", dismounted, is sent to"},
      {"visits completed", "^[0-9:]+  visit [0-9]+ is complete$"},
      {"walks given up", "^[0-9:]+  visit [0-9]+ is given up"},
      {"visits dropped", "^[0-9:]+  visit [0-9]+ is dropped"},
      {"riders off their horses", "is off its horse$"},
      {"horses dead at leaving", "^[0-9:]+  visit [0-9]+ ends: its horse is dead$"},
      {"leavings timed out", "^[0-9:]+  visit [0-9]+ ends: the visitor did not leave within a minute$"},
      {"greetings", "the keeper of .* says \"WELCOME"},
      {"thanks", "says \"GENERIC_THANKS\""},
      {"farewells", "says \"FAREWELL\""},
      {"weapons handed out", "is handed a weapon_"},
  };
  for (const auto& [row, pattern] : rows) {
    EXPECT_EQ(summaryNumber(out, row), linesMatching(out, pattern)) << row;
  }
  const int started = summaryNumber(out, "visits started");
  int ended = 0;
  for (const char* ending : {"visits completed", "walks given up", "visits dropped", "visitors gone",
                             "horses dead at leaving", "leavings timed out"}) {
    ended += summaryNumber(out, ending);
  }
  EXPECT_EQ(started, ended + summaryNumber(out, "still running at end"));
  // 24 game hours are 2880 s of game time, less the pauses of the leave-takings.
  const int passes = summaryNumber(out, "passes run");
  EXPECT_GT(passes, 11000);
  EXPECT_LE(passes, 11520);
}

TEST_F(DefaultDay, DrawsTheTownWithItsSpotsPostsPlayerAndPaths) {
  const std::string& svg = day().svg;
  ASSERT_THAT(svg, ::testing::StartsWith("<svg xmlns=\"http://www.w3.org/2000/svg\""));
  EXPECT_THAT(svg, HasSubstr("</svg>"));
  EXPECT_EQ(linesMatching(svg, "<circle class=\"spot\""), 20);
  EXPECT_EQ(linesMatching(svg, ">VALENTINE_GUNSMITH_5</text>"), 1);
  EXPECT_GT(linesMatching(svg, "<rect class=\"post\""), 0);
  EXPECT_EQ(linesMatching(svg, "<circle class=\"player\""), 1);
  EXPECT_EQ(linesMatching(svg, "<polyline class=\"path\""), summaryNumber(day().out, "visits started"));
}

struct LabelBox {
  std::string text;
  double left, top, right, bottom;
};

// Every text of a picture as a box: 0.6 em a character wide, one em tall from
// 0.8 em above the baseline, the em being the text's font size.
std::vector<LabelBox> labelBoxes(const std::string& svg) {
  auto attribute = [](const std::string& element, const std::string& name) {
    std::smatch value;
    if (std::regex_search(element, value, std::regex(" " + name + "=\"([-0-9.]+)\"")))
      return std::stod(value[1]);
    ADD_FAILURE() << "no " << name << " in " << element;
    return 0.0;
  };
  std::vector<LabelBox> boxes;
  const std::regex text("<text[^>]*>([^<]*)</text>");
  for (auto found = std::sregex_iterator(svg.begin(), svg.end(), text); found != std::sregex_iterator();
       ++found) {
    const std::string element = found->str(), words = (*found)[1];
    const double x = attribute(element, "x"), y = attribute(element, "y"),
                 em = attribute(element, "font-size");
    boxes.push_back({words, x, y - 0.8 * em, x + 0.6 * em * static_cast<double>(words.size()), y + 0.2 * em});
  }
  return boxes;
}

TEST(Simulator, KeepsEveryLabelInsideThePictureAndClearOfTheOthers) {
  for (const world::Town& town : world::towns()) {
    const SimRun run = simulate("--town " + std::string(town.name) + " --svg town.svg");
    std::smatch size;
    ASSERT_TRUE(std::regex_search(run.svg, size, std::regex("viewBox=\"0 0 ([0-9.]+) ([0-9.]+)\"")))
        << town.name;
    const double width = std::stod(size[1]), height = std::stod(size[2]);
    const std::vector<LabelBox> boxes = labelBoxes(run.svg);
    EXPECT_GE(boxes.size(), 3u) << town.name;  // the heading at least
    for (size_t one = 0; one < boxes.size(); ++one) {
      const LabelBox& a = boxes[one];
      EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= width && a.bottom <= height)
          << town.name << ": " << a.text << " leaves the picture";
      for (size_t other = one + 1; other < boxes.size(); ++other) {
        const LabelBox& b = boxes[other];
        EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
            << town.name << ": " << a.text << " overlaps " << b.text;
      }
    }
  }
}

TEST(Simulator, TheSameSeedPrintsTheSameBytes) {
  const SimRun first = simulate("--seed 7 --hours 6");
  const SimRun again = simulate("--seed 7 --hours 6");
  ASSERT_EQ(first.status, 0);
  EXPECT_EQ(first.out, again.out);
  EXPECT_NE(first.out, simulate("--seed 8 --hours 6").out);
}

TEST(Simulator, ReadsTheSettingsFileInItsFolder) {
  const SimRun eager = simulate("--hours 1", "[General]\nCooldown=0\n");
  EXPECT_THAT(eager.out, HasSubstr("06:00:07  visit 1:"));  // the first pass already
  const SimRun patient = simulate("--hours 1");
  EXPECT_THAT(patient.out, HasSubstr("06:30:07  visit 1:"));  // once 60000 ms have passed
}

TEST(Simulator, WorksOnlyByDayAndOnlyInTownsWithStoreSpots) {
  EXPECT_EQ(linesMatching(simulate("--start 00:00 --hours 5.9").out, "is sent to"), 0);
  EXPECT_EQ(summaryNumber(simulate("--town armadillo --hours 4").out, "visits started"), 0);
  EXPECT_EQ(summaryNumber(simulate("--town open-country --hours 4").out, "visits started"), 0);
  const SimRun saintDenis = simulate("--town saint-denis --hours 6");
  EXPECT_GT(linesMatching(saintDenis.out, "is sent to SAINT_DENIS_"), 0);
  EXPECT_EQ(linesMatching(saintDenis.out, "is sent to SAINT_DENIS_GENERAL_STORE"), 0);  // beyond 70 m
}

TEST(Simulator, TakesATownsNameHoweverItIsWritten) {
  for (const char* written : {"'Saint Denis'", "saint-denis", "'SAINT DENIS'", "saintdenis", "Saint_Denis"}) {
    EXPECT_THAT(simulate(std::string("--hours 0.01 --town ") + written).out,
                ::testing::StartsWith("Quillhaven in Saint Denis, "))
        << written;
  }
  EXPECT_THAT(simulate("--hours 0.01 --town Valentine").out,
              ::testing::StartsWith("Quillhaven in Valentine, "));
  EXPECT_THAT(simulate("--town 'saint denis x'").err, HasSubstr("; the towns are valentine, strawberry, "));
}

// Standard output goes to a pipe here, buffered as it would be into a log
// file; six hours print more than one buffer's worth.
TEST(Simulator, WritesItsSpeedAfterTheSummaryWhenBothShareOneFile) {
  const std::string alone = simulate("--hours 6").out;
  // The sanitizers' warning about the script's own stack comes first, from the runtime.
  const std::string both = std::regex_replace(simulate("--hours 6", std::nullopt, "2>&1").out,
                                              std::regex("^==[0-9]+==WARNING: [^\n]*\n"), "");
  ASSERT_TRUE(both.starts_with(alone)) << both;
  EXPECT_THAT(both.substr(alone.size()), ::testing::MatchesRegex("simulated [^\n]* times real time\n"));
}

TEST(Simulator, TracesEveryNativeCall) {
  const SimRun traced = simulate("--hours 0.05 --trace");
  EXPECT_THAT(traced.out, HasSubstr("  > nameHash(\"s_m_m_trainstationworker_01\")\n"));
  EXPECT_THAT(traced.out, HasSubstr("  > clockHour()\n"));
}

TEST(Simulator, TellsItsVersion) {
  const SimRun version = simulate("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "quillhaven-sim " QUILLHAVEN_VERSION "\n");
}

TEST(Simulator, ExplainsItsOptionsAndRefusesBadOnes) {
  const SimRun help = simulate("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* option :
       {"--town", "--seed", "--hours", "--start", "--peds", "--svg", "--trace", "--help"}) {
    EXPECT_THAT(help.out, HasSubstr(option));
  }
  for (const char* bad : {"--bogus", "--town paris", "--seed x", "--hours 0", "--hours 200", "--start 24:00",
                          "--start 7", "--peds -1", "--svg"}) {
    const SimRun refused = simulate(bad);
    EXPECT_EQ(refused.status, 2) << bad;
    EXPECT_THAT(refused.err, HasSubstr("quillhaven-sim: ")) << bad;
    EXPECT_TRUE(refused.out.empty()) << bad;
  }
}

}  // namespace
