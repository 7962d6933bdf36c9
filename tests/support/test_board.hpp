#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "assets/control_names.hpp"
#include "forms/layout.hpp"
#include "forms/picture.hpp"
#include "platform/sound.hpp"
#include "platform/web.hpp"

namespace wizlo::testing {

// A small board of our own: three pieces, three circles, the key, both
// marks, the back and web hot spots and a backdrop, 400 x 300 pixels.
//   c(0) shows Disk1, tag "2"     -> fits g(1)
//   c(1) shows BlueTile2, drags with Disk2, tag "3" -> fits g(2)
//   c(2) shows Disk3, tag "1"     -> fits g(0)
namespace test_board_controls {
inline constexpr ImageLayout kControls[] = {
    {.Name = names::kBoardBack, .Left = 240, .Top = 3600, .Width = 1200, .Height = 600},
    {.Name = names::kWebSite, .Left = 4500, .Top = 3600, .Width = 1200, .Height = 600, .MousePointer = kPointerCrosshair},
    {.Name = names::kWrongMark, .Left = 2700, .Top = 1500, .Width = 900, .Height = 900, .Picture = PictureId::MarkNo,
     .Visible = false, .Stretch = true},
    {.Name = names::kRightMark, .Left = 2550, .Top = 1350, .Width = 900, .Height = 900, .Picture = PictureId::MarkYes,
     .Visible = false, .Stretch = true},
    {.Name = names::kKeys, .Index = 2, .Left = 600, .Top = 4200, .Width = 300, .Height = 300, .Picture = PictureId::KeyDisk2,
     .DragIcon = PictureId::KeyDisk2, .Tag = "3", .Visible = false, .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 1, .Left = 1800, .Top = 1500, .Width = 300, .Height = 300, .Picture = PictureId::KeyDisk2,
     .DragIcon = PictureId::KeyDisk2, .Tag = "2", .Visible = false, .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kKeys, .Index = 0, .Left = 1200, .Top = 4200, .Width = 300, .Height = 300, .Picture = PictureId::KeyDisk1,
     .DragIcon = PictureId::KeyDisk1, .Tag = "1", .Visible = false, .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 2, .Left = 1200, .Top = 2700, .Width = 900, .Height = 660, .Picture = PictureId::Disk3,
     .DragIcon = PictureId::Disk3, .Tag = "1", .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 1, .Left = 4200, .Top = 2700, .Width = 540, .Height = 420,
     .Picture = PictureId::BlueTile2, .DragIcon = PictureId::Disk2, .Tag = "3", .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kPieces, .Index = 0, .Left = 4800, .Top = 2700, .Width = 900, .Height = 660, .Picture = PictureId::Disk1,
     .DragIcon = PictureId::Disk1, .Tag = "2", .Stretch = true, .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 2, .Left = 600, .Top = 300, .Width = 900, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 1, .Left = 2400, .Top = 300, .Width = 900, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kCircles, .Index = 0, .Left = 4500, .Top = 300, .Width = 900, .Height = 780, .Stretch = true,
     .DragMode = kDragAutomatic},
    {.Name = names::kBackdrop, .Left = 0, .Top = 0, .Width = 6000, .Height = 4500, .Picture = PictureId::Backdrop2,
     .Stretch = true},
};
}  // namespace test_board_controls

inline constexpr FormLayout kTestBoard = {.Name = "TestBoard",
                                          .Caption = "Wizlo",
                                          .ClientLeft = 600,
                                          .ClientTop = 600,
                                          .ClientWidth = 6000,
                                          .ClientHeight = 4500,
                                          .Icon = PictureId::AppIcon,
                                          .Controls = test_board_controls::kControls};

// Pictures drawn in code: each id a flat colour of its own (the marks a
// coloured square on a transparent ground), so pixels tell them apart.
PictureValue placeholderPicture(PictureKey key);
std::uint32_t placeholderColour(PictureId id);

class RecordingSound final : public platform::SoundService {
 public:
  void play(std::string_view name) override {
    played.emplace_back(name);
    if (whilePlaying) whilePlaying();
  }
  std::vector<std::string> played;
  std::function<void()> whilePlaying;
};

class RecordingWeb final : public platform::WebOpener {
 public:
  void open(std::uintptr_t owner, std::string_view address) override { opened.emplace_back(owner, address); }
  std::vector<std::pair<std::uintptr_t, std::string>> opened;
};

}  // namespace wizlo::testing
