// The platform's calls behind platform.h: the Windows API and C runtime
// under MinGW-w64, POSIX elsewhere.
#include "common/platform.h"

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
// The volume and index that name a file on Windows; false when the name
// reaches no file. The handle asks for no access, so it never conflicts with
// the program's own opening of the file.
bool file_identity(const std::string& name, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE h = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  return ok;
}
}  // namespace

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  BY_HANDLE_FILE_INFORMATION ia, ib;
  return file_identity(a, ia) && file_identity(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

input_file_kind kind_of_input(std::FILE* file) {
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  if (h == INVALID_HANDLE_VALUE || GetFileType(h) != FILE_TYPE_DISK) return input_file_kind::stream;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(h, &info) != 0 && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return input_file_kind::folder;
  return input_file_kind::disk_file;
}

bool is_terminal(std::FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), &mode) != 0;
}

std::FILE* create_new_file(const std::string& name) {
  const int fd = _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = _fdopen(fd, "wb");
  if (file == nullptr) _close(fd);
  return file;
}

bool replace_file(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool replace_file_keeping(const std::string& from, const std::string& to, const std::string& keep) {
  // A file held open by another program without leave to rename it stops
  // the first move, before anything has changed.
  if (MoveFileExA(to.c_str(), keep.c_str(), 0) == 0) return false;
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) return true;
  MoveFileExA(keep.c_str(), to.c_str(), 0);
  return false;
}

folder_claim claim_folder(const std::string& name) {
  static HANDLE claim = INVALID_HANDLE_VALUE;
  if (claim != INVALID_HANDLE_VALUE) return folder_claim::held;
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return folder_claim::held;
  // One byte far past the end of the file is locked, so that nobody is kept
  // from reading or editing the file itself. Windows lets the lock go when
  // the process ends.
  OVERLAPPED far_byte{};
  far_byte.Offset = 0xFFFFFFF0u;
  far_byte.OffsetHigh = 0x3FFFFFFFu;
  if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &far_byte) != 0) {
    claim = h;
    return folder_claim::held;
  }
  const DWORD error = GetLastError();
  CloseHandle(h);
  return error == ERROR_LOCK_VIOLATION || error == ERROR_SHARING_VIOLATION ? folder_claim::taken : folder_claim::held;
}

#else

void prepare_standard_streams() {
  // A write to a pipe whose reader has gone fails (EPIPE) instead of ending
  // the process, so that the run can finish its files.
  std::signal(SIGPIPE, SIG_IGN);
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

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa, sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

input_file_kind kind_of_input(std::FILE* file) {
  struct stat s;
  if (fstat(fileno(file), &s) != 0) return input_file_kind::stream;
  if (S_ISDIR(s.st_mode)) return input_file_kind::folder;
  return S_ISREG(s.st_mode) ? input_file_kind::disk_file : input_file_kind::stream;
}

std::FILE* create_new_file(const std::string& name) {
  const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) close(fd);
  return file;
}

bool replace_file(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

bool replace_file_keeping(const std::string& from, const std::string& to, const std::string& keep) {
  // A second name for the file, so that its own name never stands empty.
  if (link(to.c_str(), keep.c_str()) == 0) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    unlink(keep.c_str());
    return false;
  }
  // A file system without links: the file is moved aside.
  if (std::rename(to.c_str(), keep.c_str()) != 0) return false;
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  std::rename(keep.c_str(), to.c_str());
  return false;
}

folder_claim claim_folder(const std::string& name) {
  static int claim = -1;
  if (claim >= 0) return folder_claim::held;
  const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return folder_claim::held;
  // The system lets the lock go when the process ends, killed or not.
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
    claim = fd;
    return folder_claim::held;
  }
  const int error = errno;
  close(fd);
  return error == EWOULDBLOCK ? folder_claim::taken : folder_claim::held;
}

#endif

}  // namespace veldmarsh
