// A private PulseAudio server in a folder of its own, recorded by parec through a FIFO.

#include "tests/e2e/harness/pulse_server.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace wizlo::e2e {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct PulseServer::State {
  fs::path folder;
  std::vector<std::string> environment;
  std::optional<ChildProcess> server, recorder;
  std::thread reader;
  mutable std::mutex lock;
  std::vector<std::int16_t> samples;
  // When each read from parec ended, and how many samples had come by then.
  std::vector<std::pair<Clock::time_point, std::size_t>> reads;

  void record(const fs::path& fifo) {
    const int fd = ::open(fifo.c_str(), O_RDONLY);
    if (fd < 0) return;
    std::vector<unsigned char> pending;
    unsigned char chunk[4096];
    for (ssize_t got; (got = ::read(fd, chunk, sizeof chunk)) > 0;) {
      const auto now = Clock::now();
      pending.insert(pending.end(), chunk, chunk + got);
      const std::lock_guard guard(lock);
      std::size_t at = 0;
      for (; at + 1 < pending.size(); at += 2)
        samples.push_back(static_cast<std::int16_t>(pending[at] | pending[at + 1] << 8));
      pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(at));
      reads.emplace_back(now, samples.size());
    }
    ::close(fd);
  }
};

PulseServer::PulseServer() : state_(std::make_unique<State>()) {
  State& s = *state_;
  char pattern[] = "/tmp/wizlo-pulse-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a folder for the sound server");
  s.folder = pattern;
  fs::create_directories(s.folder / "run");
  fs::permissions(s.folder / "run", fs::perms::owner_all);
  // No rewinds: a sink that rewinds sends its monitor what it first rendered, not what it played.
  std::ofstream(s.folder / "server.pa") << "load-module module-native-protocol-unix auth-anonymous=1 socket="
                                         << (s.folder / "native").string() << "\n"
                                         << "load-module module-null-sink sink_name=wizlo rate=" << kRate
                                         << " channels=1 format=s16le norewinds=1\n"
                                         << "set-default-sink wizlo\n";
  s.environment = {"HOME=" + s.folder.string(), "XDG_RUNTIME_DIR=" + (s.folder / "run").string(),
                   "XDG_CONFIG_HOME=" + s.folder.string(), "PULSE_SERVER=" + address(), "PATH=/usr/bin:/bin"};
  s.server.emplace(std::vector<std::string>{"/usr/bin/pulseaudio", "-n", "-F", (s.folder / "server.pa").string(),
                                            "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                            // No memfd transport: PulseAudio 16 aborts, now and then, when a
                                            // client's memfd block reaches the null sink unregistered.
                                            "--enable-memfd=no"},
                   s.environment, "/dev/null", (s.folder / "server.log").string());
  const bool answers = waitUntil([&] {
    try {
      runCommand({"/usr/bin/pactl", "info"}, s.environment, 2000ms);
      return true;
    } catch (const std::runtime_error&) {
      return false;
    }
  }, 10000ms, 50ms);
  if (!answers) throw std::runtime_error("the PulseAudio server did not come up (is pulseaudio installed?)");

  const fs::path fifo = s.folder / "monitor.raw";
  if (mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("cannot make the recording FIFO");
  s.reader = std::thread([&s, fifo] { s.record(fifo); });
  s.recorder.emplace(std::vector<std::string>{"/usr/bin/parec", "--raw", "--format=s16le",
                                              "--rate=" + std::to_string(kRate), "--channels=1",
                                              "--device=wizlo.monitor", "--latency-msec=2"},
                     s.environment, fifo.string(), (s.folder / "parec.log").string());
  if (!waitUntil([&] { return recorded().size() > kRate / 10; }, 10000ms))
    throw std::runtime_error("the sound server's monitor records nothing");
}

PulseServer::~PulseServer() {
  resume();
  state_->recorder.reset();
  // A reader still waiting for parec to open the FIFO is let go by a writer of our own.
  const int writer = ::open((state_->folder / "monitor.raw").c_str(), O_WRONLY | O_NONBLOCK);
  if (writer >= 0) ::close(writer);
  if (state_->reader.joinable()) state_->reader.join();
  state_->server.reset();
  std::error_code ignored;
  fs::remove_all(state_->folder, ignored);
}

std::string PulseServer::address() const { return "unix:" + (state_->folder / "native").string(); }

void PulseServer::suspendSink(bool suspended) const {
  runCommand({"/usr/bin/pactl", "suspend-sink", "wizlo", suspended ? "1" : "0"}, state_->environment);
}

void PulseServer::stop() const { ::kill(state_->server->pid(), SIGSTOP); }

void PulseServer::resume() const {
  if (state_->server) ::kill(state_->server->pid(), SIGCONT);
}

std::vector<std::int16_t> PulseServer::recorded() const {
  const std::lock_guard guard(state_->lock);
  return state_->samples;
}

Clock::time_point PulseServer::playedAt(std::size_t index) const {
  const std::lock_guard guard(state_->lock);
  const auto read = std::find_if(state_->reads.begin(), state_->reads.end(),
                                 [index](const auto& r) { return r.second > index; });
  if (read == state_->reads.end()) throw std::runtime_error("that sample has not been recorded");
  const auto early = std::chrono::duration<double>(double(read->second - index) / kRate);
  return read->first - std::chrono::duration_cast<Clock::duration>(early);
}

std::optional<std::size_t> findExactly(const std::vector<std::int16_t>& recording,
                                       const std::vector<std::int16_t>& sound, std::size_t from) {
  if (from > recording.size()) return std::nullopt;
  const auto found = std::search(recording.begin() + static_cast<std::ptrdiff_t>(from), recording.end(),
                                 sound.begin(), sound.end());
  if (found == recording.end()) return std::nullopt;
  return static_cast<std::size_t>(found - recording.begin());
}

}  // namespace wizlo::e2e
