// Comparing doubles in tests where NaN is an expected answer: NaN counts as
// equal to NaN (operator== says it is not), and on request 0 and -0 count as
// different numbers (operator== says they are the same). Used as
//   EXPECT_TRUE(numtest::SameNumber(expected, actual)) << what;
// so that a failure names the line of the check and both values in full.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <sstream>
#include <string>

namespace numtest {

enum class Zeros { kEqual, kApart };

inline std::string Digits(double x) {
  std::ostringstream text;
  text << std::setprecision(17) << x;
  return text.str();
}

inline ::testing::AssertionResult SameNumber(double expected, double actual, Zeros zeros = Zeros::kEqual) {
  bool same;
  if (std::isnan(expected) || std::isnan(actual)) {
    same = std::isnan(expected) && std::isnan(actual);
  } else {
    same = expected == actual && (zeros == Zeros::kEqual || std::signbit(expected) == std::signbit(actual));
  }
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected " << Digits(expected) << ", got " << Digits(actual) << ": ";
}

}  // namespace numtest
