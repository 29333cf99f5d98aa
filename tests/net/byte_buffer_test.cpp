#include "net/byte_buffer.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

void Put(TByteBuffer& b, const std::string& bytes) { b.Append(bytes.data(), static_cast<int>(bytes.size())); }

TEST(ByteBufferTest, FramesLines) {
  TByteBuffer b;
  Put(b, std::string("A\r\r\nB\n\n\nx", 9));
  EXPECT_EQ(b.ReadLine(), "A\r");
  EXPECT_EQ(b.ReadLine(), "B");
  int before = b.Length();
  EXPECT_EQ(b.ReadLine(), "");  // an empty line consumes its LF
  EXPECT_LT(b.Length(), before);
  EXPECT_EQ(b.ReadLine(), "");
  before = b.Length();
  EXPECT_EQ(b.ReadLine(), "");  // "x" is incomplete: nothing consumed
  EXPECT_EQ(b.Length(), before);
  Put(b, "y\r\n");
  EXPECT_EQ(b.ReadLine(), "xy");
  EXPECT_EQ(b.Length(), 0);
}

TEST(ByteBufferTest, NulReadsAsBlankOnlyInLines) {
  TByteBuffer b;
  Put(b, std::string("a\0b", 3));
  EXPECT_EQ(b.ReadLine(), "");
  Put(b, std::string("\0\n", 2));
  EXPECT_EQ(b.ReadLine(), "a b ");
  // Binary handshake bytes read with Peek/Read keep their NULs.
  Put(b, std::string("\x05\x00", 2));
  char two[2];
  EXPECT_EQ(b.Read(two, 2), 2);
  EXPECT_EQ(two[1], '\0');
}

TEST(ByteBufferTest, CapacityGrowsInBlocks) {
  TByteBuffer b;
  Put(b, "x");
  EXPECT_EQ(b.Capacity(), 4096u);
  Put(b, std::string(4096, 'y'));
  EXPECT_EQ(b.Capacity(), 8192u);
}

TEST(ByteBufferTest, DiscardsAnOverlongLineUpToItsLf) {
  TByteBuffer b;
  std::string chunk(16 * 1024, 'z');
  for (int i = 0; i < 8; ++i) {
    Put(b, chunk);
    EXPECT_EQ(b.ReadLine(), "");
  }
  EXPECT_LE(b.Capacity(), TByteBuffer::kMaxLine + 2 * chunk.size());
  Put(b, "tail of the long one\nPING :x\r\n");
  EXPECT_EQ(b.ReadLine(), "PING :x");  // the rest of the overlong line went first

  Put(b, std::string(TByteBuffer::kMaxLine + 1, 'w') + "\nnext\n");  // arrives whole
  EXPECT_EQ(b.ReadLine(), "");
  EXPECT_EQ(b.ReadLine(), "next");
}

TEST(ByteBufferTest, PeekConsumeReadPrepend) {
  TByteBuffer b;
  char out[8] = {};
  EXPECT_EQ(b.Peek(out, 4), 0);
  Put(b, "abcdef");
  EXPECT_EQ(b.Peek(out, 0), 0);
  EXPECT_EQ(b.Peek(out, 3), 3);
  EXPECT_EQ(b.Length(), 6);
  b.Consume(-1);
  b.Consume(2);
  EXPECT_EQ(b.Read(out, 100), 4);
  EXPECT_EQ(std::string(out, 4), "cdef");
  Put(b, "LATER\n");
  b.Prepend("EARLY ", 6);
  EXPECT_EQ(b.ReadLine(), "EARLY LATER");
}

}  // namespace
}  // namespace zeph
