// Fixed lines shared by the results digest (~daily.txt) and the box score
// section of Test.txt.
#pragma once

#include <string_view>

namespace vr {

inline constexpr std::string_view kEqualsLine = "====================================================";
inline constexpr std::string_view kDashLine = "----------------------------------------------------";

} // namespace vr
