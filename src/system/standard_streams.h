// The standard streams' descriptors and how they pass bytes.
#ifndef HOOPS_SYSTEM_STANDARD_STREAMS_H_
#define HOOPS_SYSTEM_STANDARD_STREAMS_H_

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Makes standard output and standard error, and standard input unless it is a console, pass
// every byte as it is (no line-end translation), where the system would otherwise translate.
void useBinaryStandardStreams();

#endif  // HOOPS_SYSTEM_STANDARD_STREAMS_H_
