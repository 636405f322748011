// The lists as Quillhaven.asi builds them, without assertions: a push beyond
// capacity is dropped, and nothing past the list is written (the list lives
// on the heap, so that AddressSanitizer sees any write beyond it).
#include <gmock/gmock.h>

#include <memory>
#include <vector>

#include "game/bounded_list.h"

static_assert(!QUILLHAVEN_ASSERTIONS, "this test is built with the assertions off");

namespace {

using ::testing::ElementsAre;

TEST(BoundedListUnchecked, APushBeyondCapacityIsDropped) {
  auto list = std::make_unique<quillhaven::BoundedList<long, 3>>();
  for (long value = 1; value <= 5; ++value) list->push(value);
  EXPECT_EQ(list->size(), 3u);
  EXPECT_THAT(std::vector<long>(list->begin(), list->end()), ElementsAre(1, 2, 3));
}

}  // namespace
