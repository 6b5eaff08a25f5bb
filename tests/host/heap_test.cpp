#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32.h"

namespace {

TEST(Heaps, ZeroInitFillsAndTheFixedFlagsKeepTheSize) {
  for (UINT flags : {UINT{GMEM_ZEROINIT}, UINT{0x0F00}, UINT{0}}) {
    HGLOBAL block = GlobalAlloc(flags, 4096);
    ASSERT_NE(block, nullptr);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_EQ(static_cast<void*>(bytes), block);  // a fixed block is its own address
    EXPECT_GE(GlobalSize(block), 4096u);
    if (flags & GMEM_ZEROINIT) {
      for (int i = 0; i < 4096; ++i) ASSERT_EQ(bytes[i], 0) << i;
    }
    std::memset(bytes, 0xAB, 4096);
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
  }
}

TEST(Heaps, LocalBlocksBehaveAlikeAndNullIsRefusedQuietly) {
  HLOCAL block = LocalAlloc(LMEM_ZEROINIT, 12);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(static_cast<unsigned char*>(LocalLock(block))[11], 0);
  EXPECT_GE(LocalSize(block), 12u);
  EXPECT_EQ(LocalFree(block), nullptr);
  EXPECT_EQ(GlobalLock(nullptr), nullptr);
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
  EXPECT_EQ(LocalFree(nullptr), nullptr);
}

}  // namespace
