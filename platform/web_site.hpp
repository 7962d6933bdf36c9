#pragma once
#include <string_view>

namespace wizlo::platform {

// The one address the credit hot spots open, from the menu and every board.
inline constexpr std::string_view kWebSiteAddress = "https://wizlo.example.org/";

}  // namespace wizlo::platform
