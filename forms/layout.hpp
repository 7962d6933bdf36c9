#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "assets/picture_id.hpp"

namespace wizlo {

// Every position and size is in twips: 1440 to the inch, 15 to a pixel at 96 dpi.
using Twips = std::int32_t;
inline constexpr int kTwipsPerPixel = 15;

// The small integer properties keep their designer values, so the tables
// read like the designs they were copied from.
inline constexpr std::uint8_t kStartUpManual = 0;        // client area at ClientLeft, ClientTop
inline constexpr std::uint8_t kStartUpWindowSystem = 3;  // the window system chooses
inline constexpr std::uint8_t kDragManual = 0;
inline constexpr std::uint8_t kDragAutomatic = 1;  // a left press starts a drag
inline constexpr std::uint8_t kPointerDefault = 0;
inline constexpr std::uint8_t kPointerCrosshair = 2;

struct Rect {
  Twips Left = 0, Top = 0, Width = 0, Height = 0;
  constexpr bool contains(Twips x, Twips y) const {
    return x >= Left && x < Left + Width && y >= Top && y < Top + Height;
  }
  constexpr Twips right() const { return Left + Width; }
  constexpr Twips bottom() const { return Top + Height; }
  // The least rectangle that covers both.
  constexpr Rect united(const Rect& other) const {
    const Twips left = Left < other.Left ? Left : other.Left, top = Top < other.Top ? Top : other.Top;
    return {left, top, (right() > other.right() ? right() : other.right()) - left,
            (bottom() > other.bottom() ? bottom() : other.bottom()) - top};
  }
};

// One Image control's design. Blank fields take the defaults given here.
struct ImageLayout {
  std::string_view Name;
  std::optional<std::int16_t> Index = std::nullopt;  // set only for items of a control array
  std::int16_t Left = 0, Top = 0, Width = 0, Height = 0;
  std::optional<PictureKey> Picture = std::nullopt;  // none: EmptyPicture
  std::optional<PictureKey> DragIcon = std::nullopt;
  std::string_view Tag = "";
  bool Visible = true;
  bool Enabled = true;
  bool Stretch = false;
  std::uint8_t DragMode = kDragManual;
  std::uint8_t MousePointer = kPointerDefault;

  constexpr Rect rect() const { return {Left, Top, Width, Height}; }
};

// One form's design. Controls are in stacking order, topmost first; the
// full-size backdrop Image1 is always last.
struct FormLayout {
  std::string_view Name;
  std::string_view Caption;
  Twips ClientLeft = 0, ClientTop = 0, ClientWidth = 0, ClientHeight = 0;
  std::optional<PictureId> Icon = std::nullopt;
  std::uint8_t StartUpPosition = kStartUpManual;
  std::span<const ImageLayout> Controls;
};

}  // namespace wizlo
