// hoops-ranking --check: poll files looked at as a load would read them, nothing written.
#ifndef HOOPS_APP_CHECK_FILES_H_
#define HOOPS_APP_CHECK_FILES_H_

#include <ostream>
#include <string>
#include <vector>

namespace hoops {

// Reads each poll file in `paths` as a load would. Writes to `out`, for each file, a line
// "FILE:LINE: what" for each kind of thing in it that its writer would never have written,
// then "FILE: a load gives N teams" (after the ranking drops teams without votes). A file that
// cannot be read gets "hoops-ranking: cannot open 'FILE': why" on `err`. Returns 2 when a file
// could not be read, else 1 when anything was found, else 0.
int checkPollFiles(const std::vector<std::string>& paths, std::ostream& out, std::ostream& err);

}  // namespace hoops

#endif  // HOOPS_APP_CHECK_FILES_H_
