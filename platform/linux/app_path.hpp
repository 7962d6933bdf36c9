#pragma once
#include <string>
#include <string_view>

#include "platform/app_path.hpp"

namespace wizlo::platform {

// The folder part of an executable's path by the same rule: "/opt/w/wizlo"
// gives "/opt/w", "/wizlo" gives "/", a bare name gives ".".
std::string folderOf(std::string_view executablePath);

}  // namespace wizlo::platform
