// Fresh memory made ready on a second thread, ahead of its first use.
#ifndef HOOPS_POLL_PAGE_POPULATOR_H_
#define HOOPS_POLL_PAGE_POPULATOR_H_

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

// The first write to a fresh page of memory makes the kernel clear it, and for a large
// poll that clearing is a good part of a load. A PagePopulator has a second thread ask the
// kernel to make pages ready (Linux's MADV_POPULATE_WRITE) just ahead of their use, so the
// clearing runs beside the reading. It changes no byte of the memory; where the system
// cannot do this, or no thread can be started, it does nothing.
class PagePopulator {
 public:
  PagePopulator() = default;
  ~PagePopulator() { stop(); }
  PagePopulator(const PagePopulator&) = delete;
  PagePopulator& operator=(const PagePopulator&) = delete;

  // Asks for the pages of [start, start + size) to be made ready; a request not yet taken
  // up by the thread is replaced. The memory must stay mapped until stop() returns.
  void populate(char* start, std::size_t size);

  // Drops any request waiting and waits for the one under way; populate starts anew.
  void stop();

 private:
  void run();

  std::mutex mutex_;
  std::condition_variable changed_;
  char* start_ = nullptr;  // the request waiting, if any
  std::size_t size_ = 0;
  bool stopping_ = false;
  std::thread thread_;  // started with the first request
};

#endif  // HOOPS_POLL_PAGE_POPULATOR_H_
