#include <gtest/gtest.h>

#include <map>

#include "assets/control_names.hpp"
#include "forms/control_set.hpp"
#include "forms/errors.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

TEST(PictureValue, EmptyIsHandleZeroAndEveryLoadIsAPictureOfItsOwn) {
  EXPECT_EQ(LoadPicture().handle(), 0u);
  EXPECT_EQ(LoadPicture().handle(), LoadPicture().handle());
  const PictureValue a = placeholderPicture(PictureId::Disk1), b = placeholderPicture(PictureId::Disk1);
  EXPECT_NE(a.handle(), 0u);
  EXPECT_NE(a.handle(), b.handle());
  EXPECT_EQ(a.artwork(), b.artwork()) << "drawn once, shared";
}

TEST(PictureValue, CopyingBetweenControlsCopiesTheValue) {
  ControlSet controls(kTestBoard, placeholderPicture);
  ImageControl& from = controls(names::kPieces, 0);
  ImageControl& to = controls(names::kCircles, 0);
  const std::uint32_t handle = from.Picture().handle();
  to.SetPicture(from.Picture());
  from.SetPicture(LoadPicture());
  EXPECT_EQ(to.Picture().handle(), handle);
  EXPECT_TRUE(from.Picture().isEmpty());
}

TEST(Artwork, DrawsFromTheSmallestImageThatCoversTheTarget) {
  const PictureValue p = placeholderPicture(PictureId::Disk1);  // 16, 32, 64
  EXPECT_EQ(p.artwork()->bestFor(16, 16).width, 16);
  EXPECT_EQ(p.artwork()->bestFor(36, 28).width, 64);
  EXPECT_EQ(p.artwork()->bestFor(20, 30).width, 32);
  EXPECT_EQ(p.artwork()->bestFor(500, 500).width, 64);
}

TEST(Artwork, DecodesOnlyTheImagesDrawnAndEachOnce) {
  std::map<int, int> decodes;
  const auto source = [&decodes](int size) {
    return Artwork::Source{size, size, [&decodes, size] {
                             ++decodes[size];
                             return Bitmap{size, size, Pixels(std::size_t(size) * size)};
                           }};
  };
  const Artwork art(std::vector<Artwork::Source>{source(64), source(16), source(256)});
  EXPECT_TRUE(decodes.empty()) << "nothing is decoded before it is drawn";
  const Bitmap& first = art.bestFor(40, 40);
  EXPECT_EQ(first.width, 64);
  EXPECT_EQ(&art.bestFor(60, 30), &first) << "the same pixels again, not a second decode";
  EXPECT_EQ(art.image(0).width, 16) << "smallest first";
  EXPECT_EQ(decodes, (std::map<int, int>{{16, 1}, {64, 1}}));

  const Artwork liar(std::vector<Artwork::Source>{
      {32, 32, [] { return Bitmap{16, 16, Pixels(256)}; }}});
  EXPECT_THROW(liar.bestFor(32, 32), std::runtime_error) << "a size that differs would misplace the picture";
}

TEST(ControlSet, IsMadeFromTheLayoutWithItsDefaults) {
  ControlSet controls(kTestBoard, placeholderPicture);
  ASSERT_EQ(controls.inStackingOrder().size(), std::size(test_board_controls::kControls));
  EXPECT_EQ(controls.inStackingOrder().back().Name(), names::kBackdrop);
  const ImageControl& rrr = controls(names::kBoardBack);
  EXPECT_TRUE(rrr.Picture().isEmpty() && rrr.Visible() && rrr.Enabled() && !rrr.Stretch());
  EXPECT_EQ(rrr.Tag(), "");
  EXPECT_FALSE(rrr.Index());
  EXPECT_EQ(*controls(names::kKeys, 2).Index(), 2);
  EXPECT_EQ(controls(names::kKeys, 2).Tag(), "3");
  EXPECT_FALSE(controls(names::kRightMark).Visible());
}

TEST(ControlSet, AskingForAControlThatDoesNotExistIsAnError) {
  ControlSet controls(kTestBoard, placeholderPicture);
  EXPECT_THROW(controls(names::kPieces, 3), RuntimeError);
  EXPECT_THROW(controls(names::kPieces, -1), RuntimeError);
  EXPECT_THROW(controls(names::kPieces), RuntimeError);    // an array needs its Index
  EXPECT_THROW(controls(names::kBoardBack, 0), RuntimeError);  // a single control has none
  EXPECT_THROW(controls("nobody"), RuntimeError);
}

TEST(ControlSet, TheControlUnderAPointIsTheTopmostVisibleOne) {
  ControlSet controls(kTestBoard, placeholderPicture);
  EXPECT_EQ(controls.controlAt(300, 3700), &controls(names::kBoardBack));  // an empty picture still takes the pointer
  EXPECT_EQ(controls.controlAt(3000, 2000), &controls(names::kBackdrop));  // the marks are hidden
  controls(names::kRightMark).SetVisible(true);
  controls(names::kWrongMark).SetVisible(true);
  EXPECT_EQ(controls.controlAt(3000, 2000), &controls(names::kWrongMark));  // listed first of the two
  EXPECT_EQ(controls.controlAt(2600, 1400), &controls(names::kRightMark));
  EXPECT_EQ(controls.controlAt(1950, 1650), &controls(names::kBackdrop));  // a hidden key is not there
  EXPECT_EQ(controls.controlAt(5999, 4499), &controls(names::kBackdrop));
  EXPECT_EQ(controls.controlAt(6000, 100), nullptr);
  EXPECT_EQ(controls.controlAt(-1, 100), nullptr);
}

TEST(Integer, OverflowIsAnErrorNotAWrap) {
  EXPECT_EQ(addInteger(10, 1), 11);
  EXPECT_EQ(addInteger(32766, 1), 32767);
  EXPECT_THROW(addInteger(32767, 1), RuntimeError);
  EXPECT_THROW(addInteger(-32768, -1), RuntimeError);
}

}  // namespace
}  // namespace wizlo::testing
