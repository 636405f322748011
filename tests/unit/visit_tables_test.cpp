// The visit tables' orderings, on which the order of visit advances rests.
#include "visit/visit_tables.h"

#include <gmock/gmock.h>

namespace {

using namespace quillhaven;
using ::testing::ElementsAre;
using ::testing::Key;

TEST(VisitTables, SpotNamesSortByteByByteAPrefixFirst) {
  std::map<std::string, Entity, std::less<>> visits;
  for (const char* name : {"SAINT_DENIS_GENERAL_STORE_1", "SAINT_DENIS_DOCTOR_1", "RHODES_GUNSMITH_1",
                           "SAINT_DENIS_DOCTOR", "VALENTINE_GUNSMITH_10", "VALENTINE_GUNSMITH_2"}) {
    visits[name] = Entity{1};
  }
  EXPECT_THAT(visits, ElementsAre(Key("RHODES_GUNSMITH_1"), Key("SAINT_DENIS_DOCTOR"),
                                  Key("SAINT_DENIS_DOCTOR_1"), Key("SAINT_DENIS_GENERAL_STORE_1"),
                                  Key("VALENTINE_GUNSMITH_10"), Key("VALENTINE_GUNSMITH_2")));
  static_assert(std::is_same_v<decltype(visits), decltype(SpotVisitors)>);
}

TEST(VisitTables, PedHandlesSortAsSignedNumbers) {
  std::map<Entity, bool> walking;
  walking[Entity{7}] = walking[Entity{-3}] = walking[Entity{0x7FFFFFFF}] = walking[Entity{-0x7FFFFFFF - 1}] = true;
  EXPECT_THAT(walking, ElementsAre(Key(Entity{-0x7FFFFFFF - 1}), Key(Entity{-3}), Key(Entity{7}), Key(Entity{0x7FFFFFFF})));
  static_assert(std::is_same_v<decltype(walking), decltype(WalkingToSpot)>);
}

}  // namespace
