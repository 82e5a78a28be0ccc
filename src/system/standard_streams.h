// The standard streams' descriptors and how they pass bytes.
#ifndef HOOPS_SYSTEM_STANDARD_STREAMS_H_
#define HOOPS_SYSTEM_STANDARD_STREAMS_H_

namespace hoops {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Makes standard output and standard error, and standard input unless it is a console, pass
// every byte as it is (no line-end translation), where the system would otherwise translate.
void useBinaryStandardStreams();

// Writes `text` to standard error at once, with no memory taken: a run's last words.
void writeLastWords(const char* text);

// From now on, a run that ends because not even an exception could be made for lack of memory
// writes `message` as its last words and exits with status 2; an end through std::terminate
// for any other reason stays as it was.
void endWithoutMemoryAs(const char* message);

}  // namespace hoops

#endif  // HOOPS_SYSTEM_STANDARD_STREAMS_H_
