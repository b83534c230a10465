// What differs between Windows and POSIX systems, kept in one place: the
// standard streams, the local time, whether two names reach the same file,
// what kind of file an open input is, how an output file is created and how
// a finished file replaces an older one, and the claim on a folder that keeps
// two runs apart. Everything else in the program is the same on both.
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
// before each LF); and a console whose reader has gone makes a write fail
// instead of ending the process.
void prepare_standard_streams();

// True when `stream` is a terminal (a console window on Windows), where
// every line is shown as it is written.
bool is_terminal(std::FILE* stream);

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

// Creates the file `name` and opens it for writing; fails when anything of
// that name is there already (a link included), so that nothing is written
// through a name someone else made. nullptr when it cannot.
std::FILE* create_new_file(const std::string& name);

// Gives the closed file `from` the name `to`, replacing a file of that name.
// False when it cannot.
bool replace_file(const std::string& from, const std::string& to);

// The same, for a name `to` that holds a file: that file stays under the
// name `keep`, which must be free. False when it cannot; nothing has then
// changed.
bool replace_file_keeping(const std::string& from, const std::string& to, const std::string& keep);

// Claims the folder of the file `name` (the steering file) for this run
// until the process ends, however it ends. `taken`: another process holds
// the claim; otherwise the claim is held (or cannot be had on this file
// system, and the run goes on without it). A process that holds it
// already gets it again.
enum class folder_claim { held, taken };
folder_claim claim_folder(const std::string& name);

}  // namespace veldmarsh
