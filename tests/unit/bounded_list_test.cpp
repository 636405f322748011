// The per-pass lists: what they hold, and a push beyond capacity, which the
// plug-in's logic rules out, ending the run where assertions are on.
#include "game/bounded_list.h"

#include <gmock/gmock.h>

#include <vector>

namespace {

using quillhaven::BoundedList;
using ::testing::ElementsAre;

TEST(BoundedList, HoldsWhatWasPushedInOrderAndACopyHoldsTheSame) {
  BoundedList<int, 4> list;
  EXPECT_TRUE(list.empty());
  list.push(7);
  list.push(-2);
  const BoundedList<int, 4> copy = list;
  list.clear();
  EXPECT_THAT(std::vector<int>(copy.begin(), copy.end()), ElementsAre(7, -2));
  EXPECT_EQ(copy.view().size(), 2u);
  EXPECT_TRUE(list.empty());
}

TEST(BoundedListDeathTest, APushBeyondCapacityEndsTheRun) {
  BoundedList<int, 2> list;
  list.push(1);
  list.push(2);
  EXPECT_DEATH(list.push(3), "Quillhaven: assertion failed: count_ < Capacity");
}

}  // namespace
