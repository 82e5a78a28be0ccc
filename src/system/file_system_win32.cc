// The operating system's files behind the FileSystem interface, on Windows: paths are UTF-8
// and go to the system as UTF-16; every file is opened in binary mode.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "system/file_system.h"

namespace {

// `path` as UTF-16; nullopt, with errno EINVAL, when it is not valid UTF-8.
std::optional<std::wstring> wide(const std::string& path) {
  if (path.empty()) return std::wstring();
  const int size = static_cast<int>(path.size());
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
  if (length <= 0) {
    errno = EINVAL;
    return std::nullopt;
  }
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, text.data(), length);
  return text;
}

// errno for the last failed Windows call.
void setErrnoFromLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      errno = ENOENT;
      break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      errno = EACCES;
      break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      errno = ENOSPC;
      break;
    case ERROR_NOT_SAME_DEVICE:
      errno = EXDEV;
      break;
    default:
      errno = EIO;
  }
}

FileSystem::Status statusOf(const struct _stat64& info) {
  return {(info.st_mode & _S_IFMT) == _S_IFREG, (info.st_mode & _S_IFMT) == _S_IFDIR,
          static_cast<uint32_t>(info.st_mode & 0777), 0, 0};
}

class WindowsFileSystem final : public FileSystem {
 public:
  std::optional<Status> status(const std::string& path) override {
    // The C runtime's stat takes no separator at the end of a folder's name, but the root's.
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.find_last_of("/\\") == trimmed.size() - 1 &&
           trimmed[trimmed.size() - 2] != ':') {
      trimmed.pop_back();
    }
    std::optional<std::wstring> name = wide(trimmed);
    struct _stat64 info {};
    if (!name || _wstat64(name->c_str(), &info) != 0) return std::nullopt;
    return statusOf(info);
  }

  std::optional<Status> status(int fd) override {
    struct _stat64 info {};
    if (_fstat64(fd, &info) != 0) return std::nullopt;
    return statusOf(info);
  }

  // Links are left to the system, which follows them when the file is opened or replaced.
  std::optional<std::string> linkTarget(const std::string&) override { return std::nullopt; }

  bool mayWrite(const std::string& path) override {
    // The read-only attribute is what Windows has of a file the operator may not write.
    std::optional<std::wstring> name = wide(path);
    if (!name) return false;
    DWORD attributes = GetFileAttributesW(name->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      setErrnoFromLastError();
      return false;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      errno = EACCES;
      return false;
    }
    return true;
  }

  int openForReading(const std::string& path) override {
    std::optional<Status> found = status(path);
    if (found && found->directory) {
      errno = EISDIR;  // Windows itself says only that access is denied
      return -1;
    }
    return open(path, _O_RDONLY | _O_BINARY | _O_NOINHERIT, 0);
  }

  int openForWriting(const std::string& path) override {
    return open(path, _O_WRONLY | _O_BINARY | _O_NOINHERIT, 0);
  }

  int createTemporary(const std::string& directory, std::string& path) override {
    // A new name each try, created only if no file has it yet.
    static std::mt19937 random{std::random_device{}()};
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = directory + "\\.hoops-ranking-";
      for (int i = 0; i < 6; ++i) candidate += kLetters[random() % (sizeof kLetters - 1)];
      int fd = open(candidate, _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
      if (fd >= 0) {
        path = candidate;
        return fd;
      }
      if (errno != EEXIST) return -1;
    }
    return -1;
  }

  // A directory's names cannot be synced through a descriptor here; the rename writes
  // through instead.
  int openDirectory(const std::string&) override {
    errno = ENOTSUP;
    return -1;
  }

  bool write(int fd, const char* data, std::size_t size) override {
    while (size > 0) {
      const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
      int written = _write(fd, data, chunk);
      if (written == 0) errno = EIO;
      if (written <= 0) return false;
      data += written;
      size -= static_cast<std::size_t>(written);
    }
    return true;
  }

  long read(int fd, char* data, std::size_t size) override {
    const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
    int count = _read(fd, data, chunk);
    // A closed pipe is the end of the input, as it is elsewhere.
    if (count < 0 && GetLastError() == ERROR_BROKEN_PIPE) return 0;
    return count;
  }

  // Only the read-only attribute could be copied, and a read-only file is never replaced.
  bool copyOwnership(int, const Status&) override { return true; }
  bool setNewFileMode(int) override { return true; }

  bool sync(int fd) override { return _commit(fd) == 0; }

  bool close(int fd) override { return _close(fd) == 0; }

  bool rename(const std::string& from, const std::string& to) override {
    std::optional<std::wstring> source = wide(from);
    std::optional<std::wstring> target = wide(to);
    if (!source || !target) return false;
    if (MoveFileExW(source->c_str(), target->c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
      setErrnoFromLastError();
      return false;
    }
    return true;
  }

  bool remove(const std::string& path) override {
    std::optional<std::wstring> name = wide(path);
    return name && _wunlink(name->c_str()) == 0;
  }

 private:
  static int open(const std::string& path, int flags, int mode) {
    std::optional<std::wstring> name = wide(path);
    if (!name) return -1;
    int fd = -1;
    errno = _wsopen_s(&fd, name->c_str(), flags, _SH_DENYNO, mode);
    return fd;
  }
};

}  // namespace

FileSystem& realFileSystem() {
  static WindowsFileSystem files;
  return files;
}

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const bool drive = path.size() >= 2 && path[1] == ':';
  if (slash == std::string::npos) return drive ? path.substr(0, 2) : ".";
  if (slash == 0 || (drive && slash == 2)) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

void useBinaryStandardStreams() {
  // A console hands over each typed line with CR LF: it stays in text mode, which turns that
  // into the LF every prompt expects (and takes Ctrl-Z as the end, as consoles do). Files and
  // pipes pass every byte.
  if (_isatty(kStandardInput) == 0) _setmode(kStandardInput, _O_BINARY);
  _setmode(kStandardOutput, _O_BINARY);
}
