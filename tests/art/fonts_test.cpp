// The generator must stop rather than draw in whatever face fontconfig offers instead.
#include <gtest/gtest.h>

#include <stdexcept>

#include "assets/generator/text/fonts.hpp"

namespace wizlo::art {
namespace {

TEST(Fonts, AMissingFaceStopsTheGeneratorInsteadOfFallingBack) {
  EXPECT_THROW(requireFont("Wizlo Nonexistent Sans"), std::runtime_error);
}

}  // namespace
}  // namespace wizlo::art
