// The standard streams on POSIX systems, which never translate line ends.
#include "system/standard_streams.h"

void useBinaryStandardStreams() {}
