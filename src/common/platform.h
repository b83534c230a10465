// What differs between Windows and POSIX systems, kept in one place: the
// mode of the standard streams, the local time and whether two names reach
// the same file. Everything else in the program is the same on both.
#pragma once

#include <ctime>
#include <string>

namespace veldmarsh {

// Puts standard output and standard error in binary mode, so that the CR LF
// line ends are written as they are (Windows would add a CR before each LF).
// Does nothing on POSIX systems.
void set_binary_standard_streams();

// The local date and time of `t`.
std::tm local_time(std::time_t t);

// True when the two names reach one existing file: the same text, or names
// that lead to the same file through a link or a case-insensitive file
// system (same device and file number on POSIX; same volume and file index
// on Windows). A name that reaches no file is the same only as its own text.
bool same_file(const std::string& a, const std::string& b);

}  // namespace veldmarsh
