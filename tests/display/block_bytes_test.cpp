#include "display/block_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace zeph {
namespace {

void Write(TBlockBytes& bytes, std::string_view text) {
  char* at = bytes.Extend(text.size() + 40);  // room beyond what is written, as for a record
  std::memcpy(at, text.data(), text.size());
  bytes.SetEnd(at + text.size());
}

TEST(BlockBytesTest, GrowingShrinkingAndMovingKeepTheBytesWritten) {
  TBlockBytes bytes;
  std::string expected;
  bytes.Reserve(16);
  for (int i = 0; i < 200; ++i) {  // grows well past the reserved room
    std::string piece = "line " + std::to_string(i) + ";";
    Write(bytes, piece);
    expected += piece;
  }
  EXPECT_EQ(bytes.View(), expected);
  EXPECT_GE(bytes.Capacity(), bytes.Size());

  bytes.ShrinkToFit();
  EXPECT_EQ(bytes.Capacity(), expected.size());
  EXPECT_EQ(bytes.View(), expected);

  TBlockBytes moved = std::move(bytes);
  EXPECT_EQ(moved.View(), expected);
  EXPECT_EQ(bytes.Size(), 0u);
  EXPECT_EQ(bytes.Capacity(), 0u);
  bytes = std::move(moved);
  EXPECT_EQ(bytes.View(), expected);
}

TEST(BlockBytesTest, AnEmptyBlockShrinksToNothing) {
  TBlockBytes bytes;
  bytes.Reserve(64);
  bytes.ShrinkToFit();
  EXPECT_EQ(bytes.Capacity(), 0u);
  EXPECT_TRUE(bytes.View().empty());
}

}  // namespace
}  // namespace zeph
