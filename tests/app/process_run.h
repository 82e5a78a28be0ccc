// Running the built hoops-ranking as a process, for tests.
#ifndef HOOPS_TESTS_APP_PROCESS_RUN_H_
#define HOOPS_TESTS_APP_PROCESS_RUN_H_

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "temp_dir.h"
#include "test_paths.h"

namespace hoops {

struct ProcessRun {
  int status;  // the exit status, or 128 + the signal that ended the run
  std::string output;
  std::string errors;
};

// Memory limits and peak memory mean nothing under AddressSanitizer's shadow memory.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

// How long one run of the program may take before it counts as a hang: a build with the
// sanitizers or without optimization runs several times slower.
#if defined(NDEBUG)
inline constexpr int kRunLimitSeconds = kSanitized ? 120 : 20;
#else
inline constexpr int kRunLimitSeconds = 120;
#endif

// True when bash runs the shell text `check` with success: a tool or a limit the system has.
inline bool shellCan(const std::string& check) {
  const std::string command = "bash -c '" + check + "' > /dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// Runs the shell command `command`; its exit status, or -1 when it did not exit.
inline int shellStatus(const std::string& command) {
  int raw = std::system(command.c_str());  // not const: some systems' macros cast it
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Runs the program in `dir` with the command-line `arguments` (shell words), its standard
// output and error to the files stdout and stderr there; its exit status.
inline int runHoopsRankingWith(const TempDir& dir, const std::string& arguments) {
  return shellStatus("cd '" + dir.file("") + "' && '" + HOOPS_RANKING_EXE + "' " + arguments +
                     " > stdout 2> stderr");
}

// Runs the program in `dir` through bash with `input` as its standard input. `setup` is
// shell text run before it (a memory limit, say), and `redirect` replaces the redirection
// of its output; the run's status is the program's even when its output is piped.
inline ProcessRun runHoopsRanking(const TempDir& dir, const std::string& input,
                                  const std::string& setup = "",
                                  const std::string& redirect = "> stdout") {
  writeFile(dir.file("stdin"), input);
  // timeout, where the system has it, ends a run that hangs, so that a hang fails the test
  // instead of stalling it.
  static const std::string limit =
      shellCan("command -v timeout") ? "timeout " + std::to_string(kRunLimitSeconds) + " " : "";
  writeFile(dir.file("run.sh"), "cd '" + dir.file("") + "' && " + setup + " " + limit + "'" +
                                    HOOPS_RANKING_EXE + "' < stdin 2> stderr " + redirect +
                                    "\nexit ${PIPESTATUS[0]}\n");
  const int status = shellStatus("bash '" + dir.file("run.sh") + "'");
  return {status, readFile(dir.file("stdout")), readFile(dir.file("stderr"))};
}

}  // namespace hoops

#endif  // HOOPS_TESTS_APP_PROCESS_RUN_H_
