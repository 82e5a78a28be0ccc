// The signals that could end a run in the middle of a save.
#ifndef HOOPS_SYSTEM_SIGNALS_H_
#define HOOPS_SYSTEM_SIGNALS_H_

#include <cstdint>
#include <memory>
#include <string>

namespace hoops {

// For the rest of the run, a write to a pipe whose reader has gone fails with "Broken pipe",
// and a write past the file size limit with "File too large", instead of ending the run.
void ignoreWriteSignals();

// While it lives, every signal whose default is to end the run (from the keyboard, another
// process, a timer, a limit or the system, and on Windows the console's close, log-off and
// shutdown) is held back, as far as the system lets it be, the faults too when another process
// sends them; one that arrived takes effect when it goes. The stop signals (SIGINT, SIGTERM,
// SIGHUP, where the run leaves them to their default) are held too, except while they are let
// through: then one ends the run at once, as it asks, after removing the files registered with
// removeOnStop. So a save that waits (for a lease, a FIFO's reader, a slow disk) can be stopped
// and leaves nothing behind. (On Windows the stop keys wait for the save as the others do.)
class SaveSignals {
 public:
  SaveSignals();
  ~SaveSignals();
  SaveSignals(const SaveSignals&) = delete;
  SaveSignals& operator=(const SaveSignals&) = delete;

  // Lets the stop signals through (a save waits now) or holds them again (what they would undo
  // is being changed, or the new file is being put in place).
  void letStopsThrough(bool let);
  // Registers, in `slot` (0 or 1), the file `name` in the open folder `folder` for a stop to
  // remove while that name is still the file `device` and `inode`; a `folder` of -1 clears the
  // slot. Call it while the stops are held.
  void removeOnStop(int slot, int folder, const std::string& name, uint64_t device, uint64_t inode);

 private:
  struct Previous;
  std::unique_ptr<Previous> previous_;
};

// While it lives, a SaveSignals' stop signals are let through, for a call of the system room
// that may wait with nothing to remove (an open that waits for another program's lease).
class StopsLetThrough {
 public:
  StopsLetThrough();
  ~StopsLetThrough();
  StopsLetThrough(const StopsLetThrough&) = delete;
  StopsLetThrough& operator=(const StopsLetThrough&) = delete;

 private:
  bool let_;
};

}  // namespace hoops

#endif  // HOOPS_SYSTEM_SIGNALS_H_
