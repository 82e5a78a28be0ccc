// Windows' text and error numbers turned into what the rest of the program speaks.
#include "system/windows_errors.h"

#include <windows.h>

#include <cerrno>

namespace hoops {

std::optional<std::wstring> widePath(const std::string& path) {
  if (path.empty()) return std::wstring();
  const int size = static_cast<int>(path.size());
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, text.data(), length);
  return text;
}

std::string narrowText(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

Status lastWindowsError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return Status::system(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return Status::system(EACCES);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return Status::system(EEXIST);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return Status::system(ENOSPC);
    case ERROR_NOT_SAME_DEVICE:
      return Status::system(EXDEV);
    case ERROR_WRITE_PROTECT:
      return Status::system(EROFS);
    case ERROR_FILENAME_EXCED_RANGE:
      return Status::system(ENAMETOOLONG);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return Status(Status::Code::kNameNotAllowed);
    case ERROR_DIRECTORY:
      return Status::system(ENOTDIR);
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
      return Status::system(EPIPE);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return Status::system(ENOMEM);
    case ERROR_INVALID_HANDLE:
      return Status::system(EBADF);
    case ERROR_TOO_MANY_OPEN_FILES:
      return Status::system(EMFILE);
    case ERROR_NOT_SUPPORTED:
      return Status::system(ENOTSUP);
    case ERROR_CANT_RESOLVE_FILENAME:
      return Status::system(ELOOP);
    default:
      return Status::system(EIO);
  }
}

}  // namespace hoops
