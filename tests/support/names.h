#pragma once

#include <string>

#include <gtest/gtest.h>

namespace veldora::testing_support {

// Names each case of a parameterised table by its name field, so that ctest lists it readably,
// the same in every build, and -R or --gtest_filter selects it.
struct CaseName {
  template <typename Case>
  std::string operator()(const testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

}  // namespace veldora::testing_support
