// Taking one keystroke from a terminal without waiting for Enter.
#ifndef HOOPS_SYSTEM_TERMINAL_H_
#define HOOPS_SYSTEM_TERMINAL_H_

#include <memory>

namespace hoops {

// True when `fd` is a terminal (on Windows, a console).
bool isTerminal(int fd);

// While it lives, the terminal on `fd` hands over each key as it is pressed, without echo,
// and keys that would otherwise send a signal (Ctrl-C, Ctrl-Z, Ctrl-\) are keys like any
// other; its own settings come back when it goes. Does nothing when `fd` is not a terminal.
class SingleKeyMode {
 public:
  explicit SingleKeyMode(int fd);
  ~SingleKeyMode();
  SingleKeyMode(const SingleKeyMode&) = delete;
  SingleKeyMode& operator=(const SingleKeyMode&) = delete;

 private:
  struct Saved;
  std::unique_ptr<Saved> saved_;  // the terminal's own settings, while they are changed
};

}  // namespace hoops

#endif  // HOOPS_SYSTEM_TERMINAL_H_
