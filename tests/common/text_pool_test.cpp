// Texts stored once: equality as blank-padded texts of the field's width,
// numbers kept or merged in order of first appearance, and the index
// growing from a few texts to many.
#include "common/text_pool.h"

#include <gtest/gtest.h>

#include <string>

namespace veldmarsh {
namespace {

TEST(TextPool, EqualAsBlankPaddedTextsOfTheWidth) {
  text_pool pool = make_text_pool(5, {"0"});
  EXPECT_EQ(store_text(pool, ""), 0u);
  EXPECT_EQ(store_text(pool, "   "), 0u);  // blank: number 0
  EXPECT_EQ(store_text(pool, "0  "), 1u);
  const std::uint32_t a = store_text(pool, "A");
  EXPECT_EQ(store_text(pool, "A    "), a);
  EXPECT_NE(store_text(pool, " A"), a);                    // a leading blank counts
  EXPECT_EQ(store_text(pool, "ABCDEFG"), store_text(pool, "ABCDE"));  // cut to the width
  EXPECT_EQ(stored_text(pool, store_text(pool, "ABCDEFG")), "ABCDE");
  EXPECT_EQ(find_text(pool, "A  "), static_cast<std::int64_t>(a));
  EXPECT_EQ(find_text(pool, "B"), -1);
  EXPECT_EQ(std::string(stored_form(pool, std::string("x\0y  ", 5))), std::string("x\0y", 3));
}

TEST(TextPool, AddedTextsMergeInOrderOfFirstAppearance) {
  text_pool pool = make_text_pool(50, {"0"});
  // Repeats among the last few added are found at once; the others wait
  // for the merge.
  const char* added[] = {"S1", "D1", "S1", "Y1", "D1", "0", "Y1 ", "", "S2"};
  std::vector<std::uint32_t> numbers;
  for (const char* text : added) numbers.push_back(add_text(pool, text));
  EXPECT_EQ(numbers[2], numbers[0]);
  const std::vector<std::uint32_t> merged = merge_equal_texts(pool);
  const std::vector<std::uint32_t> expected = {2, 3, 2, 4, 3, 1, 4, 0, 5};
  for (std::size_t k = 0; k < numbers.size(); ++k) EXPECT_EQ(merged[numbers[k]], expected[k]) << added[k];
  EXPECT_EQ(text_count(pool), 6u);
  EXPECT_EQ(stored_text(pool, 5), "S2");
  EXPECT_EQ(find_text(pool, "D1"), 3);
  EXPECT_EQ(store_text(pool, "Y1"), 4u);  // merged: looked up again
}

TEST(TextPool, ManyTexts) {
  // All distinct (the merge's index at its fullest), then each twice.
  for (int repeats : {1, 2}) {
    text_pool pool = make_text_pool(20);
    for (int r = 0; r < repeats; ++r)
      for (int k = 0; k < 50000; ++k) add_text(pool, "T" + std::to_string(k));
    const std::vector<std::uint32_t> merged = merge_equal_texts(pool);
    ASSERT_EQ(text_count(pool), 50001u);
    EXPECT_EQ(merged.back(), 50000u);
    for (int k = 0; k < 50000; k += 997) {
      EXPECT_EQ(stored_text(pool, static_cast<std::uint32_t>(k + 1)), "T" + std::to_string(k));
      EXPECT_EQ(store_text(pool, "T" + std::to_string(k)), static_cast<std::uint32_t>(k + 1));
    }
  }
}

}  // namespace
}  // namespace veldmarsh
