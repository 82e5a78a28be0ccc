// Holding signals with the process's signal mask; one thread, so the process's is the thread's.
// The stop signals are caught while a save runs, by a handler that removes what the save made
// and then lets the signal end the run as it would have.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

#include "system/signals.h"

namespace hoops {

namespace {

constexpr std::array<int, 3> kStops = {SIGINT, SIGTERM, SIGHUP};

// A file for a stop to remove. Changed only while the stops are held, so the handler never
// sees one half written.
struct Removal {
  int folder = -1;
  std::array<char, 512> name{};
  dev_t device = 0;
  ino_t inode = 0;
};

std::array<Removal, 2> gRemovals;
sigset_t gStopsCaught;  // the stops a save's handler catches, and the save let be delivered
bool gSaving = false;

extern "C" void stopTheSave(int signal) {
  for (const Removal& removal : gRemovals) {
    struct stat info {};
    if (removal.folder >= 0 &&
        ::fstatat(removal.folder, removal.name.data(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        info.st_dev == removal.device && info.st_ino == removal.inode) {
      ::unlinkat(removal.folder, removal.name.data(), 0);
    }
  }
  // Raised again with its default action: delivered as the handler returns, it ends the run.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  ::sigaction(signal, &fallback, nullptr);
  ::raise(signal);
}

}  // namespace

void ignoreWriteSignals() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}

struct SaveSignals::Previous {
  sigset_t mask;
  std::array<struct sigaction, kStops.size()> actions;
};

SaveSignals::SaveSignals() : previous_(new Previous) {
  // All of them, the faults too when another process sends them: a fault of the program's own
  // still ends it at once, as the system delivers such a fault whatever the mask says (and
  // abort() lets its own signal through). SIGKILL and SIGSTOP cannot be held, and the system
  // leaves them out.
  sigset_t held;
  sigfillset(&held);
  sigprocmask(SIG_BLOCK, &held, &previous_->mask);
  sigemptyset(&gStopsCaught);
  for (std::size_t i = 0; i < kStops.size(); ++i) {
    struct sigaction& before = previous_->actions[i];
    // A stop the run ignores (nohup), handles itself or held already is left as it was.
    if (::sigaction(kStops[i], nullptr, &before) != 0 || (before.sa_flags & SA_SIGINFO) != 0 ||
        before.sa_handler != SIG_DFL || sigismember(&previous_->mask, kStops[i]) == 1) {
      continue;
    }
    struct sigaction catching {};
    catching.sa_handler = stopTheSave;
    sigfillset(&catching.sa_mask);
    if (::sigaction(kStops[i], &catching, nullptr) == 0) sigaddset(&gStopsCaught, kStops[i]);
  }
  for (Removal& removal : gRemovals) removal.folder = -1;
  gSaving = true;
}

SaveSignals::~SaveSignals() {
  sigprocmask(SIG_BLOCK, &gStopsCaught, nullptr);
  gSaving = false;
  for (Removal& removal : gRemovals) removal.folder = -1;
  for (std::size_t i = 0; i < kStops.size(); ++i) {
    if (sigismember(&gStopsCaught, kStops[i]) == 1) {
      ::sigaction(kStops[i], &previous_->actions[i], nullptr);
    }
  }
  sigemptyset(&gStopsCaught);
  sigprocmask(SIG_SETMASK, &previous_->mask, nullptr);
}

void SaveSignals::letStopsThrough(bool let) {
  std::atomic_signal_fence(std::memory_order_seq_cst);  // what the handler reads is written
  sigprocmask(let ? SIG_UNBLOCK : SIG_BLOCK, &gStopsCaught, nullptr);
}

void SaveSignals::removeOnStop(int slot, int folder, const std::string& name, uint64_t device,
                               uint64_t inode) {
  Removal& removal = gRemovals.at(static_cast<std::size_t>(slot));
  removal.folder = -1;
  if (folder < 0 || name.size() >= removal.name.size()) return;  // no name a folder holds
  std::memcpy(removal.name.data(), name.c_str(), name.size() + 1);
  removal.device = static_cast<dev_t>(device);
  removal.inode = static_cast<ino_t>(inode);
  removal.folder = folder;
}

StopsLetThrough::StopsLetThrough() : let_(gSaving) {
  if (let_) sigprocmask(SIG_UNBLOCK, &gStopsCaught, nullptr);
}

StopsLetThrough::~StopsLetThrough() {
  if (let_) sigprocmask(SIG_BLOCK, &gStopsCaught, nullptr);
}

}  // namespace hoops
