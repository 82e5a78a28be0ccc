// Making pages ready on a second thread.
#include "poll/page_populator.h"

#include <system_error>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
constexpr bool kCanPopulate = true;
void populatePages(char* start, std::size_t size) {
  madvise(start, size, MADV_POPULATE_WRITE);  // a failure leaves the pages to their first use
}
#else
constexpr bool kCanPopulate = false;
void populatePages(char*, std::size_t) {}
#endif

}  // namespace

void PagePopulator::stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
  stopping_ = false;
  start_ = nullptr;
}

void PagePopulator::populate(char* start, std::size_t size) {
  if (!kCanPopulate) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    start_ = start;
    size_ = size;
  }
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread(&PagePopulator::run, this);
    } catch (const std::system_error&) {
      return;  // no thread to be had: the pages are cleared when first used
    }
  }
  changed_.notify_all();
}

void PagePopulator::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return start_ != nullptr || stopping_; });
    if (stopping_) return;
    char* start = start_;
    const std::size_t size = size_;
    start_ = nullptr;
    lock.unlock();
    populatePages(start, size);
    lock.lock();
  }
}
