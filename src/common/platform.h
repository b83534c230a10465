// What differs between Windows and POSIX systems, kept in one place: the
// standard streams, the local time, what names a file and whether two names
// reach the same one, what kind of file an open file is, how an output file
// is created or opened and how a finished file replaces an older one, and
// the claim on a folder that keeps two runs apart. Everything else in the
// program is the same on both.
#pragma once

#include <compare>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

namespace veldmarsh {

// Makes the standard streams safe to write to: one that is closed is opened
// on the null device (its output is discarded), so that no file the run
// opens later takes its place and receives the console's lines or the
// diagnostics; standard output and standard error are put in binary mode, so
// that the CR LF line ends are written as they are (Windows would add a CR
// before each LF); and a console whose reader has gone, or a file that grows
// past the size limit the shell or a batch system set, makes a write fail
// instead of ending the process.
void prepare_standard_streams();

// True when `stream` is a terminal (a console window on Windows), where
// every line is shown as it is written.
bool is_terminal(std::FILE* stream);

// The local date and time of `t`.
std::tm local_time(std::time_t t);

// What names a file for the system, by whatever name it is reached: its
// device and file number on POSIX, its volume and file index on Windows.
struct file_identity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  auto operator<=>(const file_identity&) const = default;
};

// The identity of the file `name` reaches, following a link at its end when
// `through_links` (otherwise the link itself); false when there is none.
bool identify_file(const std::string& name, bool through_links, file_identity& id);

// The identity of an open file; false when the system gives none.
bool identify_open_file(std::FILE* file, file_identity& id);

// True when the two names reach one existing file: the same text, or names
// that lead to the same file through a link or a case-insensitive file
// system (same device and file number on POSIX; same volume and file index
// on Windows). A name that reaches no file is the same only as its own text.
bool same_file(const std::string& a, const std::string& b);

// What an open file is: a file on disk, which can be read again from its
// start; a folder; or a stream that can be read or written only once (a
// named pipe, a terminal, a device).
enum class open_file_kind { disk_file, folder, stream };
open_file_kind kind_of_open_file(std::FILE* file);

// Creates the file `name` and opens it for writing; fails when anything of
// that name is there already (a link included), so that nothing is written
// through a name someone else made. The file may be given another name
// while it is open. nullptr when it cannot.
std::FILE* create_new_file(const std::string& name);

// Opens the existing file `name` for writing without emptying it (a device
// or a pipe, written as it is); nothing is created. nullptr when it cannot.
std::FILE* open_existing_for_writing(const std::string& name);

// Gives the closed file `from` the name `to`, replacing a file of that name.
// False when it cannot.
bool replace_file(const std::string& from, const std::string& to);

// Gives the file `name` the second name `keep`, which must be free: a hard
// link, so that its own name never stands empty; on a file system without
// links (and on Windows) the file is moved there instead. False when it
// cannot; nothing has then changed.
bool keep_file_as(const std::string& name, const std::string& keep);

// The identity of the folder `folder`; false when there is no such folder.
// Folders are claimed in the order of their identities, the same for every
// run, so that of two runs that need the same folders the one that claims
// first goes on.
bool identify_folder(const std::string& folder, file_identity& id);

// Claims the folder `folder` for this run until the process ends, however it
// ends, so that a second run that would write in it ends at once. The claim
// is on the folder itself (not on a file in it, which an editor may replace),
// and never waits. `taken`: another process holds the claim; otherwise the
// claim is held, or cannot be had (a folder that cannot be opened, a file
// system that keeps no locks, and on POSIX a folder that may be written but
// not read) and the run goes on without it. A folder this process holds
// already, by whatever name, is held again.
//
// On POSIX the claim is a lock on the folder itself (flock), which holds
// between all processes of the machine and, where the file system passes
// locks on, of other machines. On Windows a folder cannot be locked like a
// file: the claim is a named object of the system, named after the folder's
// volume and file index, so that it holds between every run of the machine
// however it was started (a double click, a command prompt, from another
// folder) but not between two machines working in one shared folder.
enum class folder_claim { held, taken };
folder_claim claim_folder(const std::string& folder);

}  // namespace veldmarsh
