// The signals that could end a run in the middle of a save.
#ifndef HOOPS_SYSTEM_SIGNALS_H_
#define HOOPS_SYSTEM_SIGNALS_H_

#include <memory>

// For the rest of the run, a write to a pipe whose reader has gone fails with "Broken pipe",
// and a write past the file size limit with "File too large", instead of ending the run.
void ignoreWriteSignals();

// While it lives, every signal whose default is to end the run (from the keyboard, another
// process, a timer, a limit or the system, and on Windows the console's close, log-off and
// shutdown) is held back, as far as the system lets it be, the faults too when another process
// sends them; one that arrived takes effect when it goes.
class SignalsHeld {
 public:
  SignalsHeld();
  ~SignalsHeld();
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  struct Previous;
  std::unique_ptr<Previous> previous_;
};

#endif  // HOOPS_SYSTEM_SIGNALS_H_
