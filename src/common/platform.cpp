// The platform's calls behind platform.h: the Windows API and C runtime
// under MinGW-w64, POSIX elsewhere.
#include "common/platform.h"

#include <cstdio>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace veldmarsh {

#if defined(_WIN32)

namespace {
// A stream with no valid handle behind it; for an output stream also one
// whose handle refuses even an empty write as invalid (so Wine shows a
// standard stream that was closed when the program started).
bool is_closed(std::FILE* stream, bool output) {
  const int fd = _fileno(stream);
  const intptr_t h = fd < 0 ? -1 : _get_osfhandle(fd);
  if (h == -1 || h == -2) return true;
  DWORD written = 0;
  return output && WriteFile(reinterpret_cast<HANDLE>(h), "", 0, &written, nullptr) == 0 &&
         GetLastError() == ERROR_INVALID_HANDLE;
}
}  // namespace

void prepare_standard_streams() {
  if (is_closed(stdin, false)) (void)std::freopen("NUL", "rb", stdin);
  if (is_closed(stdout, true)) (void)std::freopen("NUL", "wb", stdout);
  if (is_closed(stderr, true)) (void)std::freopen("NUL", "wb", stderr);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::tm local_time(std::time_t t) {
  std::tm local{};
  localtime_s(&local, &t);
  return local;
}

namespace {
// The volume and index that name a file on Windows, through a link at the
// end of the name or not; false when the name reaches no file. The handle
// asks for no access, so it never conflicts with the program's own opening
// of the file.
bool file_information(const std::string& name, bool through_links, BY_HANDLE_FILE_INFORMATION& info) {
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (through_links ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  HANDLE h = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, flags, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  return ok;
}

file_identity identity_of(const BY_HANDLE_FILE_INFORMATION& info) {
  return {info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

HANDLE handle_of(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

// A stream for writing to the descriptor `fd` (closed when none can be had).
std::FILE* stream_for_writing(int fd) {
  if (fd < 0) return nullptr;
  std::FILE* file = _fdopen(fd, "wb");
  if (file == nullptr) _close(fd);
  return file;
}
}  // namespace

bool identify_file(const std::string& name, bool through_links, file_identity& id) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!file_information(name, through_links, info)) return false;
  id = identity_of(info);
  return true;
}

bool identify_open_file(std::FILE* file, file_identity& id) {
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(handle_of(file), &info) == 0) return false;
  id = identity_of(info);
  return true;
}

open_file_kind kind_of_open_file(std::FILE* file) {
  const HANDLE h = handle_of(file);
  if (h == INVALID_HANDLE_VALUE || GetFileType(h) != FILE_TYPE_DISK) return open_file_kind::stream;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(h, &info) != 0 && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return open_file_kind::folder;
  return open_file_kind::disk_file;
}

bool is_terminal(std::FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(handle_of(stream), &mode) != 0;
}

std::FILE* create_new_file(const std::string& name) {
  // Shared for deletion, so that the file can take another name while it is
  // open (the log takes its name as soon as its first lines are written).
  HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
  if (fd < 0) CloseHandle(h);
  return stream_for_writing(fd);
}

std::FILE* open_existing_for_writing(const std::string& name) {
  return stream_for_writing(_open(name.c_str(), _O_WRONLY | _O_BINARY));
}

bool replace_file(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool keep_file_as(const std::string& name, const std::string& keep) {
  // A file held open by another program without leave to rename it cannot
  // be moved: nothing has changed then.
  return MoveFileExA(name.c_str(), keep.c_str(), 0) != 0;
}

bool identify_folder(const std::string& folder, file_identity& id) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!file_information(folder, true, info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  id = identity_of(info);
  return true;
}

folder_claim claim_folder(const std::string& folder) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!file_information(folder, true, info)) return folder_claim::held;
  char name[80];
  std::snprintf(name, sizeof name, "Global\\Veldmarsh-folder-%08lx-%08lx%08lx",
                static_cast<unsigned long>(info.dwVolumeSerialNumber), static_cast<unsigned long>(info.nFileIndexHigh),
                static_cast<unsigned long>(info.nFileIndexLow));
  static std::vector<std::string> held;
  for (const std::string& h : held)
    if (h == name) return folder_claim::held;
  // The object lives while a process holds it; Windows lets it go when the
  // process ends, killed or not. One made by another user's run may not be
  // opened at all.
  HANDLE claim = CreateMutexA(nullptr, FALSE, name);
  const DWORD error = GetLastError();
  if (claim != nullptr && error != ERROR_ALREADY_EXISTS) {
    held.push_back(name);
    return folder_claim::held;
  }
  if (claim != nullptr) {
    CloseHandle(claim);
    return folder_claim::taken;
  }
  if (error != ERROR_ACCESS_DENIED) return folder_claim::held;
  // Refused: either another user's run holds the object, or this process
  // may make no such objects at all (and runs unclaimed).
  HANDLE other = OpenMutexA(SYNCHRONIZE, FALSE, name);
  const DWORD open_error = GetLastError();
  if (other != nullptr) CloseHandle(other);
  return other == nullptr && open_error == ERROR_FILE_NOT_FOUND ? folder_claim::held : folder_claim::taken;
}

#else

void prepare_standard_streams() {
  // A write to a pipe whose reader has gone fails (EPIPE), and one past the
  // file size limit (EFBIG), instead of ending the process, so that the run
  // can finish or keep its files.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  // open() takes the lowest free descriptor: the closed stream's own.
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF && open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd)
      return;
}

bool is_terminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

std::tm local_time(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  return local;
}

namespace {
file_identity identity_of(const struct stat& s) {
  return {static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino)};
}

// A stream for writing to the descriptor `fd` (closed when none can be had);
// fdopen never empties the file.
std::FILE* stream_for_writing(int fd) {
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) close(fd);
  return file;
}
}  // namespace

bool identify_file(const std::string& name, bool through_links, file_identity& id) {
  struct stat s;
  if ((through_links ? stat(name.c_str(), &s) : lstat(name.c_str(), &s)) != 0) return false;
  id = identity_of(s);
  return true;
}

bool identify_open_file(std::FILE* file, file_identity& id) {
  struct stat s;
  if (fstat(fileno(file), &s) != 0) return false;
  id = identity_of(s);
  return true;
}

open_file_kind kind_of_open_file(std::FILE* file) {
  struct stat s;
  if (fstat(fileno(file), &s) != 0) return open_file_kind::stream;
  if (S_ISDIR(s.st_mode)) return open_file_kind::folder;
  return S_ISREG(s.st_mode) ? open_file_kind::disk_file : open_file_kind::stream;
}

std::FILE* create_new_file(const std::string& name) {
  return stream_for_writing(open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
}

std::FILE* open_existing_for_writing(const std::string& name) {
  return stream_for_writing(open(name.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
}

bool replace_file(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

bool keep_file_as(const std::string& name, const std::string& keep) {
  if (link(name.c_str(), keep.c_str()) == 0) return true;
  // A file system without links: the file is moved aside.
  return errno != EEXIST && std::rename(name.c_str(), keep.c_str()) == 0;
}

bool identify_folder(const std::string& folder, file_identity& id) {
  struct stat s;
  if (stat(folder.c_str(), &s) != 0 || !S_ISDIR(s.st_mode)) return false;
  id = identity_of(s);
  return true;
}

folder_claim claim_folder(const std::string& folder) {
  static std::vector<int> held;
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return folder_claim::held;
  struct stat s, h;
  for (int claim : held)
    if (fstat(fd, &s) == 0 && fstat(claim, &h) == 0 && s.st_dev == h.st_dev && s.st_ino == h.st_ino) {
      close(fd);
      return folder_claim::held;
    }
  // The system lets the lock go when the process ends, killed or not.
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
    held.push_back(fd);
    return folder_claim::held;
  }
  const int error = errno;
  close(fd);
  return error == EWOULDBLOCK ? folder_claim::taken : folder_claim::held;
}

#endif

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  file_identity ia, ib;
  return identify_file(a, true, ia) && identify_file(b, true, ib) && ia == ib;
}

}  // namespace veldmarsh
