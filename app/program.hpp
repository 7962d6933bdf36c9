#pragma once
#include <array>
#include <string>

#include "forms/runtime.hpp"
#include "platform/services.hpp"

namespace wizlo {

// The seven forms' designs, the menu first.
const std::array<const FormLayout*, 7>& allLayouts();
const FormLayout* layoutNamed(std::string_view name);  // null if there is none

// Tells the runtime how to make each of the seven forms.
void defineForms(Runtime& runtime, const platform::Services& services);

inline constexpr std::string_view kStartForm = "Form1";

}  // namespace wizlo
