// The substitute game's table of natives, held to the game's own signatures:
// with it, every call the fake game accepts is one the game would take, so
// that the run of every binding through the fake checks the bindings against
// the game itself.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fake_game/native_table.h"

namespace {

struct GameNative {
  uint64_t hash = 0;
  std::string binding;
  std::string gameName;
  std::string parameters;  // "Entity entity, BOOL alive, BOOL realCoords"
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
    if (columns.size() < 4) {
      ADD_FAILURE() << "a row without parameters: " << line;
      continue;
    }
    natives.push_back({std::stoull(columns[0], nullptr, 16), columns[1], columns[2], columns[3]});
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

TEST(GameSignatures, TheFakeGameTakesEveryNativeAsTheGameDeclaresIt) {
  const std::vector<GameNative> natives = gameNatives();
  ASSERT_EQ(natives.size(), substitute::nativeTable().size());
  for (const GameNative& native : natives) {
    const substitute::NativeInfo* info = substitute::findNative(native.hash);
    ASSERT_NE(info, nullptr) << native.gameName << " is missing from the fake game";
    EXPECT_EQ(info->name, native.binding) << native.gameName;
    EXPECT_EQ(slotKindsOfFake(info->args), slotKindsOfGame(native.parameters))
        << native.gameName << "(" << native.parameters << ")";
  }
}

}  // namespace
