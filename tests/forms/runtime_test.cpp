#include "forms/runtime.hpp"

#include <gtest/gtest.h>

#include "assets/control_names.hpp"
#include "forms/errors.hpp"
#include "tests/support/logging_form.hpp"
#include "tests/support/scripted_backend.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

using Kind = InputEvent::Kind;

class RuntimeTest : public ::testing::Test {
 protected:
  RuntimeTest() {
    for (const char* name : {"Menu", "TestBoard"})
      runtime.define(name, [this](Runtime& rt) {
        ++made;
        return std::make_unique<LoggingForm>(rt, kTestBoard);
      });
  }
  LoggingForm& form(const char* name) { return static_cast<LoggingForm&>(runtime.form(name)); }
  LoggingForm& shown() {
    LoggingForm& f = form("TestBoard");
    f.Show();
    return f;
  }
  void queue(Kind kind, Form& f, Point p, int button = kLeftButton) {
    backend.script.push_back(Mouse::at(kind, f, p.x, p.y, button));
  }

  ScriptedBackend backend;
  Runtime runtime{backend, placeholderPicture};
  Mouse mouse{runtime};
  int made = 0;
};

TEST_F(RuntimeTest, AFormObjectIsMadeOnFirstUseAndKeptForTheRun) {
  EXPECT_EQ(made, 0);
  LoggingForm& first = form("TestBoard");
  first.visits = 7;
  first.Show();
  first.Unload();
  LoggingForm& again = form("TestBoard");
  EXPECT_EQ(&first, &again);
  EXPECT_EQ(again.visits, 7);
  EXPECT_EQ(made, 1);
  EXPECT_THROW(runtime.form("Nowhere"), RuntimeError);
}

TEST_F(RuntimeTest, LoadingOpensAWindowAsTheLayoutSays) {
  LoggingForm& f = shown();
  const auto& window = backend.windows.at(static_cast<WindowId>(f.hWnd()));
  EXPECT_EQ(window.caption, "Wizlo");
  EXPECT_EQ(window.request.client.Left, 600);
  EXPECT_EQ(window.request.client.Width, 6000);
  EXPECT_FALSE(window.request.placedBySystem);
  EXPECT_FALSE(window.request.icon.isEmpty());
  EXPECT_GE(window.presents, 1);
}

TEST_F(RuntimeTest, ModalShowRunsItsOwnLoopUntilTheFormIsUnloadedAndOthersTakeNoInput) {
  LoggingForm& menu = form("Menu");
  menu.Show();
  LoggingForm& board = form("TestBoard");
  bool returned = false;
  menu.onClick = [&](ImageControl&) {
    board.Show(kModal);
    returned = true;
  };
  std::optional<WindowId> boardOwner;
  backend.onScriptEnd = [&] {
    boardOwner = backend.windows.at(static_cast<WindowId>(board.hWnd())).request.owner;
    // Now the board is up: the menu is deaf, its close box too.
    const Point rrr = centreOf(board.control(names::kBoardBack));
    queue(Kind::Press, menu, rrr);
    queue(Kind::Release, menu, rrr);
    backend.script.push_back(InputEvent{.kind = Kind::Close, .window = static_cast<WindowId>(menu.hWnd())});
    queue(Kind::Press, board, rrr);
    queue(Kind::Release, board, rrr);
    backend.script.push_back(InputEvent{.kind = Kind::Close, .window = static_cast<WindowId>(board.hWnd())});
  };
  mouse.click(menu, menu.control(names::kWebSite));

  EXPECT_TRUE(returned);
  EXPECT_FALSE(board.loaded());
  EXPECT_TRUE(menu.loaded());
  EXPECT_EQ(menu.log, (std::vector<std::string>{"MouseDown wex 1", "Click wex"}));
  EXPECT_EQ(board.log, (std::vector<std::string>{"MouseDown rrr 1", "Click rrr"}));
  EXPECT_EQ(boardOwner, static_cast<WindowId>(menu.hWnd())) << "the board's window belongs to the menu's";
  EXPECT_FALSE(backend.raised.empty()) << "a click on the menu brings the board back into view";
  // The menu takes input again.
  menu.onClick = nullptr;
  mouse.click(menu, menu.control(names::kBoardBack));
  EXPECT_EQ(menu.log.back(), "Click rrr");
}

TEST_F(RuntimeTest, RunEndsWhenNoFormIsLoaded) {
  backend.onScriptEnd = [&] {
    backend.script.push_back(
        InputEvent{.kind = Kind::Close, .window = static_cast<WindowId>(form("TestBoard").hWnd())});
  };
  EXPECT_EQ(runtime.run("TestBoard"), 0);
  EXPECT_FALSE(runtime.anyLoaded());
  EXPECT_TRUE(backend.errors.empty());
}

TEST_F(RuntimeTest, AnErrorInAHandlerIsReportedAndEndsTheRun) {
  backend.onScriptEnd = [&] {
    LoggingForm& f = form("TestBoard");
    f.onClick = [&](ImageControl&) { f.control(names::kPieces, 99); };
    const Point p = centreOf(f.control(names::kWebSite));
    queue(Kind::Press, f, p);
    queue(Kind::Release, f, p);
  };
  EXPECT_EQ(runtime.run("TestBoard"), 1);
  ASSERT_EQ(backend.errors.size(), 1u);
  EXPECT_NE(backend.errors[0].find("99"), std::string::npos) << backend.errors[0];
}

TEST_F(RuntimeTest, ShowingAModalFormThatIsAlreadyUpIsAnError) {
  LoggingForm& f = form("TestBoard");
  backend.onScriptEnd = [&] { f.Show(kModal); };
  EXPECT_THROW(f.Show(kModal), RuntimeError);
}

TEST_F(RuntimeTest, QuitUnloadsEveryForm) {
  form("Menu").Show();
  shown();
  runtime.handle(InputEvent{.kind = Kind::Quit});
  EXPECT_FALSE(runtime.anyLoaded());
}

TEST_F(RuntimeTest, FormsRepaintOnlyWhenSomethingVisibleChanged) {
  LoggingForm& f = shown();
  auto& window = backend.windows.at(static_cast<WindowId>(f.hWnd()));
  const int before = window.presents;
  f.control(names::kPieces, 0).SetTag("changed");
  f.control(names::kPieces, 0).SetDragIcon(LoadPicture());
  f.control(names::kRightMark).SetPicture(placeholderPicture(PictureId::MarkNo));  // hidden: nothing shows
  runtime.presentChanges();
  EXPECT_EQ(window.presents, before);
  f.control(names::kPieces, 0).SetPicture(LoadPicture());
  runtime.presentChanges();
  EXPECT_EQ(window.presents, before + 1);
  runtime.handle(InputEvent{.kind = Kind::Exposed, .window = static_cast<WindowId>(f.hWnd())});
  runtime.presentChanges();
  EXPECT_EQ(window.presents, before + 2);
}

}  // namespace
}  // namespace wizlo::testing
