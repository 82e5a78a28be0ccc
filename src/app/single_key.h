// Taking one keystroke from a terminal without waiting for Enter.
#ifndef HOOPS_APP_SINGLE_KEY_H_
#define HOOPS_APP_SINGLE_KEY_H_

// While it lives, the terminal on `fd` hands over each key as it is pressed, without echo;
// its own settings come back when it goes, and also when a signal ends the program (SIGINT,
// SIGTERM, SIGHUP, SIGQUIT). Does nothing when `fd` is not a terminal.
class SingleKeyMode {
 public:
  explicit SingleKeyMode(int fd);
  ~SingleKeyMode();
  SingleKeyMode(const SingleKeyMode&) = delete;
  SingleKeyMode& operator=(const SingleKeyMode&) = delete;

 private:
  bool active_ = false;
};

#endif  // HOOPS_APP_SINGLE_KEY_H_
