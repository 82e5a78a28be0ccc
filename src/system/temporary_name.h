// Names for the new files a save makes beside the file it replaces.
#ifndef HOOPS_SYSTEM_TEMPORARY_NAME_H_
#define HOOPS_SYSTEM_TEMPORARY_NAME_H_

#include <string>

namespace hoops {

// A name of the program's own for a new file: ".hoops-ranking-" and six random letters and
// digits, another one each call.
std::string temporaryName();

}  // namespace hoops

#endif  // HOOPS_SYSTEM_TEMPORARY_NAME_H_
