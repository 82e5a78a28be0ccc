// The signals that can end a run, held back while a save replaces its file.
#ifndef HOOPS_SYSTEM_SIGNALS_H_
#define HOOPS_SYSTEM_SIGNALS_H_

#include <memory>

// Makes a write to a pipe or socket whose reader has gone fail with EPIPE instead of ending
// the run, for the rest of the run.
void ignoreBrokenPipes();

// While it lives, the signals that end a run from the keyboard or the system (interrupt,
// terminate, hang-up, quit) are held back; one that arrived takes effect when it goes.
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
