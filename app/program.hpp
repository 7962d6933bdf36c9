#pragma once
#include <array>
#include <string>

#include "forms/runtime.hpp"
#include "menu/form1.hpp"
#include "platform/services.hpp"

namespace wizlo {

// Every form's design: the menu, then those its buttons open, in the order of its table.
inline constexpr std::size_t kFormCount = 1 + std::size(layouts::kMenuButtons);
const std::array<const FormLayout*, kFormCount>& allLayouts();
const FormLayout* layoutNamed(std::string_view name);  // null if there is none

// Tells the runtime how to make each form: the menu, and a board or a page for each of its buttons.
void defineForms(Runtime& runtime, const platform::Services& services);

inline constexpr std::string_view kStartForm = "Form1";

// What every platform's program shows when it cannot start: Arabic first, then English with the reason.
inline std::string cannotStartMessage(std::string_view why) {
  return "تعذّر تشغيل ويزلو.\n\nWizlo cannot start: " + std::string(why);
}

}  // namespace wizlo
