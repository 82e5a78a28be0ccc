// Memory that runs out inside a write of a stream, which the stream keeps to itself.
#ifndef HOOPS_APP_STREAM_FAILURE_H_
#define HOOPS_APP_STREAM_FAILURE_H_

#include <ostream>

namespace hoops {

// True when `out` has failed while what it writes to is whole: memory ran out inside one of
// its writes (formatting a number, padding a field), which a standard stream takes as its own
// failure instead of passing it on. The stream is then good again, what it lost being lost.
// False when it has not failed, or when what it writes to has (a write error, which the run's
// status tells): then it stays failed.
inline bool outOfMemoryInside(std::ostream& out) {
  if (!out.bad()) return false;
  out.clear();
  return static_cast<bool>(out.flush());
}

}  // namespace hoops

#endif  // HOOPS_APP_STREAM_FAILURE_H_
