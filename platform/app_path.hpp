#pragma once
#include <string>
#include <string_view>

namespace wizlo::platform {

// The folder that holds the running executable, as App.Path gives it: no
// trailing separator, except for the root folder, which is "/" (a folder name
// cannot be empty). The boards append "\yes" to it; the sound layer copes with
// the separator that then doubles up at the root.
std::string appPath();

// The folder part of an executable's path by the same rule: "/opt/w/wizlo"
// gives "/opt/w", "/wizlo" gives "/", a bare name gives ".".
std::string folderOf(std::string_view executablePath);

}  // namespace wizlo::platform
