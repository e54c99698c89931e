#include <gtest/gtest.h>

#include "platform/FileDialogs.h"

namespace brindlemar {
namespace {

TEST(FileDialogs, FiltersInQtForm) {
    EXPECT_EQ(QtFileFilter("Input files (*.bmi)|*.bmi|All files (*.*)|*.*"), "Input files (*.bmi);;All files (*.*)");
    // a description without its pattern gets it, so that Qt can read it
    EXPECT_EQ(QtFileFilter("Factor files|*.bmf"), "Factor files (*.bmf)");
}

}  // namespace
}  // namespace brindlemar
