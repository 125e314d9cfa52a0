#include "base/error.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using base::Error;

TEST(Error, EmptyDescriptionTakesTheStandardOne) {
  struct Row { long number; const char* text; } rows[] = {
      {5, "Invalid procedure call or argument"}, {6, "Overflow"}, {9, "Subscript out of range"},
      {13, "Type mismatch"}, {53, "File not found"}, {62, "Input past end of file"},
      {76, "Path not found"}, {93, "Invalid pattern string"},
      {450, "Wrong number of arguments or invalid property assignment"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.number);
    Error e(r.number, "src");
    EXPECT_EQ(e.Description(), r.text);
    EXPECT_EQ(e.Source(), "src");
  }
  EXPECT_EQ(Error(53, "x", "mine").Description(), "mine");
  EXPECT_EQ(base::FormatErrorLine(Error(53, "x")), "Error 53 - File not found");
}

TEST(Error, CurrentErrorDescribesWhatIsInFlight) {
  auto describe = [](auto thrower) {
    try {
      thrower();
    } catch (...) {
      return base::CurrentError("here");
    }
    return Error(0, "");
  };
  EXPECT_EQ(describe([] { base::RaiseError(76, "there"); }).Source(), "there");
  EXPECT_EQ(describe([] { throw std::bad_alloc(); }).Number(), 7);
  Error other = describe([] { throw std::runtime_error("boom"); });
  EXPECT_EQ(other.Number(), 5);
  EXPECT_EQ(other.Description(), "boom");
  EXPECT_EQ(other.Source(), "here");
}
