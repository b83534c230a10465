// What differs between Windows and POSIX systems, kept in one place: the
// standard streams, the local time, whether two names reach the same file,
// what kind of file an open input is and how a finished file replaces an
// older one. Everything else in the program is the same on both.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

namespace veldmarsh {

// Makes the standard streams safe to write to: one that is closed is opened
// on the null device (its output is discarded), so that no file the run
// opens later takes its place and receives the console's lines or the
// diagnostics; standard output and standard error are put in binary mode, so
// that the CR LF line ends are written as they are (Windows would add a CR
// before each LF).
void prepare_standard_streams();

// The local date and time of `t`.
std::tm local_time(std::time_t t);

// True when the two names reach one existing file: the same text, or names
// that lead to the same file through a link or a case-insensitive file
// system (same device and file number on POSIX; same volume and file index
// on Windows). A name that reaches no file is the same only as its own text.
bool same_file(const std::string& a, const std::string& b);

// What an input file opened for reading is: a file on disk, which can be
// read again from its start; a folder; or a stream that can be read once
// (a named pipe, a terminal, a device).
enum class input_file_kind { disk_file, folder, stream };
input_file_kind kind_of_input(std::FILE* file);

// Gives the closed file `from` the name `to`, replacing a file of that name.
// False when it cannot.
bool replace_file(const std::string& from, const std::string& to);

}  // namespace veldmarsh
