#include "platform/linux/sound_player.hpp"

#include <SDL.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace wizlo::platform {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Silence queued behind every sound, in device buffers. The device pulls a
// buffer only once the one before it has been played, so the first one taken
// tells that the sound has been heard; the rest cover the sound server's own
// latency, since closing a device drops whatever the server has not yet played.
constexpr Uint32 kPaddingBuffers = 4;

// A device that stops taking samples is closed this long after the sound should have ended.
constexpr auto kDeviceGrace = 2s;

// How long the program's end waits for the audio thread to stop audio.
constexpr auto kPatienceAtExit = 200ms;

}  // namespace

int bufferFramesFor(int frequency) {
  // Doubles while twice the frames lie nearer 25 ms (frequency / 40 frames) than these do.
  int frames = 256;
  while (frames < 4096 && frames * 3 * 40 < 2 * frequency) frames *= 2;
  return frames;
}

// Each sound handed over gets a ticket; `done` and `givenUp` name the newest
// ticket heard (or dropped) and the newest one its caller stopped waiting for.
struct SoundPlayer::Shared {
  std::mutex lock;
  std::condition_variable changed;
  std::optional<DecodedSound> next;
  std::uint64_t handed = 0, playing = 0, done = 0, givenUp = 0;
  bool quit = false, gone = false;
  // An SDL thread, not a std::thread: SDL keeps state for each thread that calls it (its error
  // text) and frees it only for threads it started itself.
  SDL_Thread* thread = nullptr;

  // A sound given up on still holds the audio thread: the sound system hangs.
  bool stuck() const { return playing != 0 && playing <= givenUp; }

  void serve();
  void playOnce(std::uint64_t ticket, const DecodedSound& sound);

  bool wanted(std::uint64_t ticket) {
    const std::lock_guard guard(lock);
    return givenUp < ticket && !quit;
  }
  bool anotherWaits() {
    const std::lock_guard guard(lock);
    return next.has_value() || quit;
  }
  void finished(std::uint64_t ticket) {
    const std::lock_guard guard(lock);
    if (done < ticket) done = ticket;
    changed.notify_all();
  }
};

// The audio thread: starts audio on the first sound, stops it at the end.
void SoundPlayer::Shared::serve() {
  bool audioStarted = false;
  std::unique_lock guard(lock);
  for (;;) {
    changed.wait(guard, [&] { return next || quit; });
    if (quit) break;
    const DecodedSound sound = std::move(*next);
    next.reset();
    const std::uint64_t ticket = playing = handed;
    guard.unlock();
    if (!audioStarted) audioStarted = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (audioStarted) playOnce(ticket, sound);
    finished(ticket);
    guard.lock();
    playing = 0;
    changed.notify_all();
  }
  guard.unlock();
  if (audioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  guard.lock();
  gone = true;
  changed.notify_all();
}

// Plays the sound to its end on a device of its own, unless its caller stops waiting.
void SoundPlayer::Shared::playOnce(std::uint64_t ticket, const DecodedSound& sound) {
  SDL_AudioSpec asked = sound.format;
  asked.samples = static_cast<Uint16>(bufferFramesFor(sound.format.freq));
  asked.callback = nullptr;
  asked.userdata = nullptr;
  if (!wanted(ticket)) return;
  // No changes allowed: SDL converts to whatever the hardware takes, so the
  // queue holds the file's own samples.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &asked, nullptr, 0);
  if (device == 0) return;
  const auto queued = [device] { return SDL_GetQueuedAudioSize(device); };
  const Uint32 bufferBytes = Uint32{asked.samples} * SDL_AUDIO_BITSIZE(asked.format) / 8 * asked.channels;
  const std::vector<Uint8> silence(std::size_t{kPaddingBuffers} * bufferBytes, asked.silence);
  const auto length = std::chrono::milliseconds(Uint64{sound.playBytes} * 1000 / sound.bytesPerSecond);
  if (wanted(ticket) && SDL_QueueAudio(device, sound.samples.get(), sound.playBytes) == 0 &&
      SDL_QueueAudio(device, silence.data(), static_cast<Uint32>(silence.size())) == 0) {
    const auto giveUpAt = Clock::now() + length + kDeviceGrace;
    SDL_PauseAudioDevice(device, 0);
    while (queued() > (kPaddingBuffers - 1) * bufferBytes) {
      if (!wanted(ticket) || Clock::now() > giveUpAt) {
        SDL_ClearQueuedAudio(device);
        break;
      }
      SDL_Delay(2);
    }
    finished(ticket);
    while (queued() > 0 && !anotherWaits() && Clock::now() < giveUpAt) SDL_Delay(5);
  }
  SDL_CloseAudioDevice(device);
}

SoundPlayer::SoundPlayer() : shared_(std::make_shared<Shared>()) {}

SoundPlayer::~SoundPlayer() {
  Shared& s = *shared_;
  std::unique_lock guard(s.lock);
  if (!s.thread) return;
  s.quit = true;
  s.changed.notify_all();
  const bool ended = s.changed.wait_for(guard, kPatienceAtExit, [&] { return s.gone; });
  guard.unlock();
  // A thread stuck in the sound system keeps its share of the state alive until the process ends.
  if (ended) SDL_WaitThread(s.thread, nullptr);
  else SDL_DetachThread(s.thread);
}

void SoundPlayer::play(DecodedSound sound, std::chrono::milliseconds patience) {
  const auto length = std::chrono::milliseconds(Uint64{sound.playBytes} * 1000 / sound.bytesPerSecond);
  Shared& s = *shared_;
  std::unique_lock guard(s.lock);
  if (s.stuck()) return;
  if (!s.thread) {
    // The thread holds its own share of the state, which it lets go of as it ends.
    auto* share = new std::shared_ptr<Shared>(shared_);
    s.thread = SDL_CreateThread(
        [](void* data) {
          const std::unique_ptr<std::shared_ptr<Shared>> mine(static_cast<std::shared_ptr<Shared>*>(data));
          (*mine)->serve();
          return 0;
        },
        "wizlo audio", share);
    if (!s.thread) {
      delete share;
      return;  // no thread, no sound: the board goes on
    }
  }
  const std::uint64_t ticket = ++s.handed;
  s.next = std::move(sound);
  s.changed.notify_all();
  if (s.changed.wait_for(guard, length + patience, [&] { return s.done >= ticket; })) return;
  s.givenUp = ticket;
  s.next.reset();  // not started yet: it must not start late
}

}  // namespace wizlo::platform
