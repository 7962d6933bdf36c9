#include "tests/storm/storm_pupil.hpp"

#include <chrono>
#include <cstdlib>
#include <set>
#include <sstream>
#include <vector>

#include "assets/control_names.hpp"
#include "boards/board.hpp"

namespace wizlo::testing {

namespace {
using Kind = InputEvent::Kind;

constexpr const char* kFormNames[] = {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6", "Form7"};

const char* kindName(Kind kind) {
  switch (kind) {
    case Kind::Press: return "Press";
    case Kind::Release: return "Release";
    case Kind::Move: return "Move";
    case Kind::Cancel: return "Cancel";
    case Kind::Close: return "Close";
    case Kind::Exposed: return "Exposed";
    case Kind::GrabLost: return "GrabLost";
    case Kind::Quit: return "Quit";
    case Kind::Key: return "Key";
  }
  return "?";
}

bool isBackButton(const ImageControl& control, const Form& form) {
  return control.Name() == names::kBoardBack || (control.Name() == names::kPageBack && form.name() != "Form1");
}
}  // namespace

std::uint64_t stormSeed() {
  if (const char* given = std::getenv("WIZLO_STORM_SEED"); given && *given)
    return std::strtoull(given, nullptr, 0);
  return std::random_device{}() ^
         static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

StormPupil::StormPupil(std::uint64_t seed, std::uint64_t budget) : random_(seed), budget_(budget) {}

void StormPupil::startSession(Runtime& runtime) {
  runtime_ = &runtime;
  planned_.clear();
  held_ = 0;
  last_.reset();
  watch_.reset();
  watchedWindow_ = 0;
}

WindowId StormPupil::openWindow(const WindowSpec&) {
  const WindowId id = nextWindow_++;
  windows_[id] = true;
  return id;
}

void StormPupil::closeWindow(WindowId window) {
  const auto found = windows_.find(window);
  if (found == windows_.end() || !found->second) fail("a window was closed twice, or one never opened");
  else found->second = false;
}

void StormPupil::show(WindowId window) {
  if (!windows_[window]) fail("a closed window was painted");
}

void StormPupil::reportError(std::string_view message) { fail("the runtime reported: " + std::string(message)); }

void StormPupil::fail(const std::string& what) {
  if (failure_) return;
  std::ostringstream report;
  report << "after event " << delivered_ << ": " << what << "\nthe last events:\n";
  for (std::size_t i = 0; i < trail_.size(); ++i) {
    const std::string& line = trail_[(trailNext_ + i) % trail_.size()];
    if (!line.empty()) report << "  " << line << "\n";
  }
  failure_ = report.str();
}

void StormPupil::soundRequested() {
  ++sounds_;
  Form* board = runtime_ ? runtime_->active() : nullptr;
  if (!board || !dynamic_cast<Board*>(board)) return fail("a sound was asked for off a board");
  const bool yes = board->control(names::kRightMark).Visible(), no = board->control(names::kWrongMark).Visible();
  if (yes == no) fail("a sound plays while " + std::string(yes ? "both marks show" : "no mark shows"));
}

void StormPupil::webRequested(std::uintptr_t owner) {
  Form* form = runtime_ ? runtime_->active() : nullptr;
  if (!form || form->hWnd() != owner) fail("the web request names a window that is not the one in use");
}

void StormPupil::check() {
  if (failure_ || !runtime_) return;
  std::vector<Form*> loaded;
  for (const char* name : kFormNames)
    if (runtime_->exists(name) && runtime_->form(name).loaded()) loaded.push_back(&runtime_->form(name));
  std::size_t open = 0;
  for (const auto& [id, isOpen] : windows_) open += isOpen ? 1 : 0;
  if (open != loaded.size())
    return fail(std::to_string(open) + " windows open for " + std::to_string(loaded.size()) + " loaded forms");

  Form* active = runtime_->active();
  if (!active) return fail("a loop waits for input, but no form takes it");
  const bool menuLoaded = runtime_->exists("Form1") && runtime_->form("Form1").loaded();
  if (loaded.size() > 2 || !menuLoaded || (loaded.size() == 2) == (active->name() == "Form1"))
    return fail("the form taking input is " + std::string(active->name()) + ", with " +
                std::to_string(loaded.size()) + " forms loaded");

  const PointerDispatch& pointer = runtime_->pointer();
  if (!pointer.dragging() && pointerShape_ == PointerShape::Picture)
    return fail("the pointer still shows a piece after the drag ended");
  if (last_ && last_->window == active->hWnd()) {
    const bool leftUp = (last_->kind == Kind::Move && !(last_->buttons & kLeftButton)) ||
                        (last_->kind == Kind::Release && last_->button == kLeftButton);
    if (leftUp && pointer.draggedBy(*last_)) return fail("a drag goes on with the left button up");
  }

  if (!dynamic_cast<Board*>(active)) return;
  if (active->hWnd() != watchedWindow_) {
    watchedWindow_ = static_cast<WindowId>(active->hWnd());
    watch_ = std::make_unique<BoardWatch>(*active);
    if (watch_->pieces() < 9) return fail(std::string(active->name()) + " opened with too few pieces");
  }
  if (auto wrong = watch_->check(*active)) fail(std::string(active->name()) + ": " + *wrong);
}

void StormPupil::remember(const InputEvent& event) {
  Form* active = runtime_->active();
  std::ostringstream line;
  line << "#" << delivered_ << " " << kindName(event.kind) << " window " << event.window << " at " << event.x << ","
       << event.y << (event.inside ? "" : " (outside)") << " button " << event.button << " buttons "
       << event.buttons << (event.kind == Kind::Key ? " key " + std::to_string(static_cast<int>(event.key)) : "")
       << (event.pointer == PointerKind::Touch ? " finger " + std::to_string(event.finger) : "")
       << "; " << (active ? active->name() : "none") << " in use";
  trail_[trailNext_] = line.str();
  trailNext_ = (trailNext_ + 1) % trail_.size();

  ++delivered_;
  if (active) {
    ++byForm_[std::string(active->name())];
    if (seenWindows_.insert(static_cast<WindowId>(active->hWnd())).second) ++visits_[std::string(active->name())];
  }
  if (event.pointer == PointerKind::Touch) {  // fingers hold no mouse button
    last_ = event;
    return;
  }
  switch (event.kind) {
    case Kind::Press: held_ |= event.button; break;
    case Kind::Release: held_ &= ~event.button; break;
    case Kind::Move: held_ = event.buttons; break;
    default: break;
  }
  last_ = event;
}

InputEvent StormPupil::nextEvent() {
  check();
  if (!budgetLeft() || !runtime_->active()) return InputEvent{.kind = Kind::Quit};
  if (planned_.empty()) plan();
  const InputEvent event = planned_.front();
  planned_.pop_front();
  remember(event);
  return event;
}

InputEvent StormPupil::pointer(Kind kind, Form& form, Twips x, Twips y) {
  InputEvent event;
  event.kind = kind;
  event.window = static_cast<WindowId>(form.hWnd());
  event.x = x;
  event.y = y;
  event.inside = x >= 0 && y >= 0 && x < form.layout().ClientWidth && y < form.layout().ClientHeight;
  return event;
}

ImageControl* StormPupil::randomControl(Form& form, std::string_view onlyName) {
  std::vector<ImageControl*> candidates;
  for (ImageControl& control : form.controls().inStackingOrder())
    if (control.Visible() && (onlyName.empty() || control.Name() == onlyName)) candidates.push_back(&control);
  if (candidates.empty()) return nullptr;
  return candidates[std::uniform_int_distribution<std::size_t>(0, candidates.size() - 1)(random_)];
}

Twips StormPupil::randomX(Form& form, const ImageControl* near) {
  if (near) return near->rect().Left + chance(std::max<Twips>(near->rect().Width, 1));
  const Twips width = form.layout().ClientWidth;
  if (chance(20) == 0) return chance(2) ? -1 - chance(3000) : width + chance(3000);
  return chance(width);
}

Twips StormPupil::randomY(Form& form, const ImageControl* near) {
  if (near) return near->rect().Top + chance(std::max<Twips>(near->rect().Height, 1));
  const Twips height = form.layout().ClientHeight;
  if (chance(20) == 0) return chance(2) ? -1 - chance(3000) : height + chance(3000);
  return chance(height);
}

void StormPupil::plan() {
  Form& form = *runtime_->active();
  const int roll = chance(100);
  if (roll < 35) planDrag(form);
  else if (roll < 65) planClick(form, kLeftButton);
  else if (roll < 70) planClick(form, kRightButton);
  else if (roll < 80) planKey(form);
  else planned_.push_back(randomEvent(form));
}

void StormPupil::planKey(Form& form) {
  // Escape leaves a board or page unless a piece is lifted: rarer, so that a pupil mostly stays.
  constexpr Key kKeys[] = {Key::Tab, Key::Left, Key::Right, Key::Up, Key::Down, Key::Enter, Key::Space, Key::Other};
  InputEvent event{.kind = Kind::Key, .window = static_cast<WindowId>(form.hWnd())};
  event.key = chance(12) == 0 ? Key::Escape : kKeys[chance(static_cast<int>(std::size(kKeys)))];
  event.shift = chance(4) == 0;
  event.repeat = chance(8) == 0;
  planned_.push_back(event);
}

void StormPupil::planClick(Form& form, int button) {
  ImageControl* target = randomControl(form);
  // A pupil mostly stays a while: the back buttons get one click in four.
  if (target && isBackButton(*target, form) && chance(4) != 0) target = randomControl(form);
  const Twips x = randomX(form, target), y = randomY(form, target);
  int mask = held_ | button;
  InputEvent press = pointer(Kind::Press, form, x, y);
  press.button = button;
  planned_.push_back(press);
  if (chance(4) == 0) {  // a little wobble, sometimes off the control
    InputEvent wobble = pointer(Kind::Move, form, x + chance(121) - 60, y + chance(121) - 60);
    wobble.buttons = mask;
    planned_.push_back(wobble);
  }
  if (chance(10) == 0) {  // the other button too, both held at once
    const int other = button == kLeftButton ? kRightButton : kLeftButton;
    InputEvent second = pointer(Kind::Press, form, x, y);
    second.button = other;
    planned_.push_back(second);
    mask |= other;
    InputEvent up = pointer(Kind::Release, form, x, y);
    up.button = chance(2) ? other : button;
    planned_.push_back(up);
    mask &= ~up.button;
    if (mask) {
      InputEvent last = pointer(Kind::Release, form, x, y);
      last.button = mask & kLeftButton ? kLeftButton : kRightButton;
      planned_.push_back(last);
    }
    return;
  }
  InputEvent release = pointer(Kind::Release, form, x, y);
  release.button = button;
  planned_.push_back(release);
}

void StormPupil::planDrag(Form& form) {
  ImageControl* source = randomControl(form, chance(10) < 7 ? names::kPieces : names::kCircles);
  if (!source) source = randomControl(form);
  Twips x = randomX(form, source), y = randomY(form, source);
  // One drag in three by a finger: every event of it comes from that finger.
  const bool byFinger = chance(3) == 0;
  const int finger = 1 + chance(4);
  int mask = (byFinger ? 0 : held_) | kLeftButton;
  const auto pupils = [&](Kind kind, Form& on, Twips atX, Twips atY) {
    InputEvent event = pointer(kind, on, atX, atY);
    if (byFinger) {
      event.pointer = PointerKind::Touch;
      event.finger = finger;
    }
    return event;
  };
  InputEvent press = pupils(Kind::Press, form, x, y);
  press.button = kLeftButton;
  planned_.push_back(press);

  auto moveTo = [&](Twips toX, Twips toY, int steps) {
    const Twips fromX = x, fromY = y;
    for (int i = 1; i <= steps; ++i) {
      InputEvent move =
          pupils(Kind::Move, form, fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
      move.buttons = mask;
      planned_.push_back(move);
    }
    x = toX;
    y = toY;
  };
  auto aim = [&] {
    const int where = chance(100);
    ImageControl* near = where < 45 ? randomControl(form, names::kCircles) : where < 70 ? randomControl(form, names::kPieces)
                         : where < 85 ? randomControl(form) : nullptr;
    moveTo(randomX(form, near), randomY(form, near), 1 + chance(6));
  };

  const int waypoints = chance(3);
  for (int i = 0; i < waypoints; ++i) aim();
  aim();

  const int ending = chance(100);
  auto release = [&](int button) {
    InputEvent up = pupils(Kind::Release, form, x, y);
    up.button = button;
    planned_.push_back(up);
    mask &= ~button;
  };
  auto signal = [&](Kind kind, WindowId window) {
    InputEvent event;
    event.kind = kind;
    event.window = window;
    planned_.push_back(event);
  };
  const auto window = static_cast<WindowId>(form.hWnd());
  if (byFinger && ending < 20) {
    if (chance(2)) {  // the system takes the finger back
      planned_.push_back(pupils(Kind::Cancel, form, x, y));
      return;
    }
    // A second finger, or the mouse, comes and goes meanwhile.
    InputEvent other = pointer(Kind::Press, form, randomX(form, nullptr), randomY(form, nullptr));
    other.pointer = chance(2) ? PointerKind::Touch : PointerKind::Mouse;
    other.finger = other.pointer == PointerKind::Touch ? finger + 1 : 0;
    other.button = kLeftButton;
    planned_.push_back(other);
    other.kind = Kind::Move;
    other.buttons = kLeftButton;
    planned_.push_back(other);
    other.kind = chance(3) ? Kind::Release : Kind::Cancel;
    planned_.push_back(other);
    aim();
    release(kLeftButton);
  } else if (ending < 66) {
    release(kLeftButton);
  } else if (ending < 72) {  // the release never reaches us
    mask &= ~kLeftButton;
    moveTo(randomX(form, nullptr), randomY(form, nullptr), 1);
  } else if (ending < 78) {  // out of the window, and let go there
    moveTo(form.layout().ClientWidth + 1 + chance(2000), chance(form.layout().ClientHeight), 2);
    release(kLeftButton);
  } else if (ending < 84) {  // the right button as well, let go in either order
    InputEvent right = pupils(Kind::Press, form, x, y);
    right.button = kRightButton;
    planned_.push_back(right);
    mask |= kRightButton;
    aim();
    if (chance(2)) {
      release(kRightButton);
      release(kLeftButton);
    } else {
      release(kLeftButton);
      aim();
      release(kRightButton);
    }
  } else if (ending < 88) {  // something else takes the pointer, the pupil goes on
    signal(Kind::GrabLost, window);
    aim();
    release(kLeftButton);
  } else if (ending < 92) {  // the window's close box, the button still down
    signal(Kind::Close, window);
    release(kLeftButton);
  } else if (ending < 94) {  // the menu's close box, mostly while it is deaf
    signal(Kind::Close, static_cast<WindowId>(runtime_->form("Form1").hWnd()));
    release(kLeftButton);
  } else if (ending < 97) {  // repainted mid-drag
    signal(Kind::Exposed, window);
    aim();
    release(kLeftButton);
  } else {  // let go over the source itself, without moving
    moveTo(randomX(form, source), randomY(form, source), 1);
    release(kLeftButton);
  }
}

InputEvent StormPupil::randomEvent(Form& form) {
  const int roll = chance(1000);
  const int buttons[] = {kLeftButton, kLeftButton, kRightButton, kMiddleButton};
  InputEvent event = pointer(Kind::Move, form, randomX(form, nullptr), randomY(form, nullptr));
  if (roll < 400) {
    event.buttons = chance(8) == 0 ? chance(8) : held_;  // now and then buttons we never saw go down
  } else if (roll < 550) {
    event.kind = Kind::Press;
    event.button = buttons[chance(4)];
  } else if (roll < 700) {
    event.kind = Kind::Release;
    event.button = buttons[chance(4)];
  } else if (roll < 750) {
    event = InputEvent{.kind = Kind::GrabLost, .window = event.window};
  } else if (roll < 800) {
    event = InputEvent{.kind = Kind::Exposed, .window = event.window};
  } else if (roll < 850) {  // for a window already gone, or one that never was
    const Kind kinds[] = {Kind::Press, Kind::Release, Kind::Move, Kind::Close, Kind::GrabLost};
    event.kind = kinds[chance(5)];
    event.button = kLeftButton;
    event.window = chance(2) ? static_cast<WindowId>(chance(static_cast<int>(nextWindow_) + 5)) : 0;
  } else if (roll < 900) {  // the menu behind a modal form
    event.window = static_cast<WindowId>(runtime_->form("Form1").hWnd());
    event.kind = chance(2) ? Kind::Press : Kind::Release;
    event.button = kLeftButton;
  } else if (roll < 920) {
    event = InputEvent{.kind = Kind::Close, .window = event.window};
  } else if (roll < 930) {
    event = InputEvent{.kind = Kind::Close, .window = static_cast<WindowId>(runtime_->form("Form1").hWnd())};
  } else if (roll < 931 && chance(4) == 0) {
    event = InputEvent{.kind = Kind::Quit};
  } else {
    event.x = form.layout().ClientWidth + chance(500);
    event.inside = false;
    event.buttons = held_;
  }
  return event;
}

}  // namespace wizlo::testing
