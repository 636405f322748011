// The substitute game's table of natives, held to the game's own signatures:
// with it, every call the fake game accepts is one the game would take, so
// that the run of every binding through the fake checks the bindings against
// the game itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "fake_game/native_table.h"
#include "game/natives.h"

namespace {

struct GameNative {
  uint64_t hash = 0;
  std::string binding;
  std::string gameName;
  std::string parameters;  // "Entity entity, BOOL alive, BOOL realCoords"
  std::string result;      // "BOOL", "Vector3", "void"
};

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

// The rows after the source line and the header.
std::vector<GameNative> gameNatives() {
  std::ifstream file(NATIVES_TSV);
  std::vector<GameNative> natives;
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with('#') || line.starts_with("hash\t")) continue;
    const std::vector<std::string> columns = split(line, '\t');
    if (columns.size() < 5) {
      ADD_FAILURE() << "a row without parameters or result: " << line;
      continue;
    }
    natives.push_back({std::stoull(columns[0], nullptr, 16), columns[1], columns[2], columns[3], columns[4]});
  }
  return natives;
}

// The kind of slot a parameter of the game's type takes: 'f' a float, 'a' an
// address, 'i' a zero-extended 32-bit value; '?' a type nobody sorted yet.
char slotKindOfGameType(const std::string& type) {
  if (type == "float") return 'f';
  if (type.ends_with('*')) return 'a';
  for (const char* value : {"int", "BOOL", "Hash", "Ped", "Entity", "Player", "Any"}) {
    if (type == value) return 'i';
  }
  return '?';
}

// "Entity entity, BOOL alive" -> "ii": each parameter's type is all but its name.
std::string slotKindsOfGame(const std::string& parameters) {
  std::string kinds;
  for (std::string parameter : split(parameters, ',')) {
    parameter.erase(0, parameter.find_first_not_of(' '));
    kinds += slotKindOfGameType(parameter.substr(0, parameter.find_last_of(' ')));
  }
  return kinds;
}

// The fake's texts, arrays, records and the variables the game writes through
// are all addresses to the game.
std::string slotKindsOfFake(std::string_view args) {
  std::string kinds;
  for (const char kind : args)
    kinds += std::string_view("tbsw").find(kind) != std::string_view::npos ? 'a' : kind;
  return kinds;
}

// The fake's result kind of the game's result type: '-' nothing, 'f' a float,
// 'v' a vector, 'i' a 32-bit value.
char resultKindOfGame(const std::string& type) {
  if (type == "void") return '-';
  if (type == "float") return 'f';
  return type == "Vector3" ? 'v' : 'i';
}

// What each binding gives back, nothing or a value, as the compiler sees it,
// beside whether the game's native returns one (natives.tsv, held to it
// below): a binding may leave a value unread, never read one the game does
// not return, which would be whatever the host's result slots held last.
template <typename Result, typename... Args>
constexpr bool givesAValue(Result (*)(Args...)) {
  return !std::is_void_v<Result>;
}

struct BindingResult {
  std::string_view binding;
  bool gameReturns;
  bool bindingGives;
};

namespace q = quillhaven;

constexpr BindingResult bindingResults[] = {
    {"playerPed", true, givesAValue(&q::playerPed)},
    {"entityPosition", true, givesAValue(&q::entityPosition)},
    {"entityExists", true, givesAValue(&q::entityExists)},
    {"entityDead", true, givesAValue(&q::entityDead)},
    {"entityModel", true, givesAValue(&q::entityModel)},
    {"entityHeading", true, givesAValue(&q::entityHeading)},
    {"pointDistance", true, givesAValue(&q::pointDistance)},
    {"pedIsMale", true, givesAValue(&q::pedIsMale)},
    {"pedIsSpeaking", true, givesAValue(&q::pedIsSpeaking)},
    {"pedRelationshipGroup", true, givesAValue(&q::pedRelationshipGroup)},
    {"pedDisposition", true, givesAValue(&q::pedDisposition)},
    {"pedIsRiding", true, givesAValue(&q::pedIsRiding)},
    {"pedMount", true, givesAValue(&q::pedMount)},
    {"pedRejectTest1", true, givesAValue(&q::pedRejectTest1)},
    {"pedRejectTest2", true, givesAValue(&q::pedRejectTest2)},
    {"pedRejectTest3", true, givesAValue(&q::pedRejectTest3)},
    {"pedRequireTest", true, givesAValue(&q::pedRequireTest)},
    {"visitHoldTest", true, givesAValue(&q::visitHoldTest)},
    {"nearbyPeds", true, givesAValue(&q::nearbyPeds)},
    {"nameHash", true, givesAValue(&q::nameHash)},
    {"gameTimer", true, givesAValue(&q::gameTimer)},
    {"clockHour", true, givesAValue(&q::clockHour)},
    {"gateSubject", true, givesAValue(&q::gateSubject)},
    {"gateTest", true, givesAValue(&q::gateTest)},
    {"gateFlag", true, givesAValue(&q::gateFlag)},
    {"positionGate", true, givesAValue(&q::positionGate)},
    {"townTest", true, givesAValue(&q::townTest)},
    {"objectNearPoint", true, givesAValue(&q::objectNearPoint)},
    {"closestObject", true, givesAValue(&q::closestObject)},
    {"hitchPostPrepare", false, givesAValue(&q::hitchPostPrepare)},
    {"taskGoTo", false, givesAValue(&q::taskGoTo)},
    {"taskScenarioHere", false, givesAValue(&q::taskScenarioHere)},
    {"taskTurnTo", false, givesAValue(&q::taskTurnTo)},
    {"taskMount", false, givesAValue(&q::taskMount)},
    {"taskDismount", false, givesAValue(&q::taskDismount)},
    {"taskHitch", false, givesAValue(&q::taskHitch)},
    {"releaseVisitor", false, givesAValue(&q::releaseVisitor)},
    {"giveWeapon", true, givesAValue(&q::giveWeapon)},
    {"speakWithParams", true, givesAValue(&q::speakWithParams)},
    {"openSequence", false, givesAValue(&q::openSequence)},
    {"closeSequence", false, givesAValue(&q::closeSequence)},
    {"performSequence", false, givesAValue(&q::performSequence)},
    {"clearSequence", false, givesAValue(&q::clearSequence)},
};

constexpr bool noBindingReadsAResultTheGameDoesNotGive() {
  for (const BindingResult& result : bindingResults) {
    if (result.bindingGives && !result.gameReturns) return false;
  }
  return true;
}
static_assert(noBindingReadsAResultTheGameDoesNotGive(),
              "a binding reads a result its native does not return");

TEST(GameSignatures, TheFakeGameTakesEveryNativeAsTheGameDeclaresIt) {
  const std::vector<GameNative> natives = gameNatives();
  ASSERT_EQ(natives.size(), substitute::nativeTable().size());
  for (const GameNative& native : natives) {
    const substitute::NativeInfo* info = substitute::findNative(native.hash);
    ASSERT_NE(info, nullptr) << native.gameName << " is missing from the fake game";
    EXPECT_EQ(info->name, native.binding) << native.gameName;
    EXPECT_EQ(slotKindsOfFake(info->args), slotKindsOfGame(native.parameters))
        << native.gameName << "(" << native.parameters << ")";
    // The fake may leave out a value the plug-in never reads; it declares no
    // other kind than the game's.
    const char gameResult = resultKindOfGame(native.result);
    EXPECT_TRUE(info->result == gameResult || info->result == '-')
        << native.gameName << " returns " << native.result;
  }
}

TEST(GameSignatures, TheCompileTimeTableOfBindingResultsIsTheGames) {
  const std::vector<GameNative> natives = gameNatives();
  ASSERT_EQ(natives.size(), std::size(bindingResults));
  for (const GameNative& native : natives) {
    const auto listed =
        std::find_if(std::begin(bindingResults), std::end(bindingResults),
                     [&](const BindingResult& result) { return result.binding == native.binding; });
    ASSERT_NE(listed, std::end(bindingResults)) << native.binding;
    EXPECT_EQ(listed->gameReturns, native.result != "void") << native.binding;
  }
}

}  // namespace
