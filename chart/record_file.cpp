#include "chart/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Larger transfers are split; one read or write moves at most this much.
constexpr size_t kMaxTransfer = size_t(1) << 30;

// The runtime's code for a system error, 0 where none fits.
int RuntimeCode(int systemError) {
  switch (systemError) {
    case ENOENT: return 2;
    case ENOTDIR:
    case EINVAL:
    case ENAMETOOLONG: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return 5;
    case ENOSPC:
    case EDQUOT: return 101;
    default: return 0;
  }
}

}  // namespace

std::string InOutErrorText(int errorCode) {
  switch (errorCode) {
    case 2: return "Datei nicht gefunden";
    case 3: return "Ungültiger Dateiname";
    case 4: return "Zu viele geöffnete Dateien";
    case 5: return "Dateizugriff verweigert";
    case 100: return "Versuch hinter dem Dateiende zu lesen";
    case 101: return "Zu wenig Speicherplatz";
    case 106: return "Ungültige numerische Eingabe";
    default: return "E/A-Fehler " + std::to_string(errorCode);
  }
}

EInOutError InOutErrorFor(int systemError) {
  const int code = RuntimeCode(systemError);
  // A system number is no runtime code: EIO (5) is not "access denied". Without a
  // code of its own the error speaks in the system's words.
  if (code == 0) return {0, std::strerror(systemError)};
  return {code, InOutErrorText(code)};
}

TFileWriter::TFileWriter(const std::string& path) {
  Fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (Fd_ < 0) {
    throw EGChartError("Datei \"" + path + "\" kann nicht erstellt werden. " + std::strerror(errno));
  }
}

TFileWriter::~TFileWriter() {
  if (Fd_ >= 0) ::close(Fd_);
}

void TFileWriter::Write(const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(Fd_, bytes, std::min(size, kMaxTransfer));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) throw InOutErrorFor(errno);
    if (written == 0) throw InOutErrorFor(ENOSPC);
    bytes += written;
    size -= size_t(written);
  }
}

void TFileWriter::Close() {
  const int fd = Fd_;
  Fd_ = -1;
  // The descriptor is gone after an interrupted close; it is not retried.
  if (::close(fd) != 0 && errno != EINTR) throw InOutErrorFor(errno);
}

TFileReader::~TFileReader() {
  if (Fd_ >= 0) ::close(Fd_);
}

bool TFileReader::Open(const std::string& path) {
  // Non-blocking, so that a named pipe cannot stall the opening; it is refused below.
  Fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (Fd_ < 0) return false;
  struct stat status {};
  if (::fstat(Fd_, &status) != 0 || !S_ISREG(status.st_mode)) return false;
  Size_ = status.st_size;
  return true;
}

bool TFileReader::Read(void* data, size_t size, size_t& got) {
  auto* bytes = static_cast<char*>(data);
  got = 0;
  while (got < size) {
    const ssize_t n = ::read(Fd_, bytes + got, std::min(size - got, kMaxTransfer));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    got += size_t(n);
  }
  return true;
}

uint64_t PhysicalMemoryBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return UINT64_MAX;
  return uint64_t(pages) * uint64_t(pageSize);
}
