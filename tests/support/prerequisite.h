#pragma once

#include <gtest/gtest.h>

namespace zeph::test {

// Whether every test must run. CI sets ZEPHLORA_REQUIRE_ALL_TESTS, so that
// a test that cannot run here (a server program, a locale or root rights
// missing) fails there instead of skipping.
bool AllTestsRequired();

}  // namespace zeph::test

// Skips the test for a reason the machine gives, or fails it where every
// test must run. Returns from the current function, like GTEST_SKIP.
#define ZEPH_SKIP_OR_FAIL(why)                                        \
  do {                                                                \
    if (::zeph::test::AllTestsRequired()) GTEST_FAIL() << (why);      \
    GTEST_SKIP() << (why);                                            \
  } while (0)
