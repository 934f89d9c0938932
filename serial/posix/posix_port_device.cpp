#include "serial/posix/posix_port_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "serial/posix/device_holders.h"
#include "serial/posix/linux_ioctls.h"
#include "serial/posix/open_failure.h"
#include "serial/posix/termios_mapping.h"

namespace {

// How often the wait looks for new bytes while reported ones still wait unread.
constexpr int RecheckMs = 5;
// A board that prints a line every millisecond would otherwise wake the reading, message
// and main threads for every line. Like a USB serial adapter's latency timer (16 ms by
// default on the common ones), the first bytes after a quiet spell wait this long for
// the ones that follow, unless a block's worth has already come: half a frame of the
// screen, unseen, and a sixteenth of the wake-ups at 1,000 lines per second.
constexpr int GatherMs = 16;
constexpr int GatherBytes = 1024;
// A fast device fills a block's worth long before that, and would fill the driver's
// buffer while the gathering sleeps on: a first look after this long tells the rate.
constexpr int GatherProbeMs = 2;

int PollRetrying(pollfd* fds, nfds_t count, int timeoutMs) {
  int result;
  do {
    result = ::poll(fds, count, timeoutMs);
  } while (result < 0 && errno == EINTR);
  return result;
}

void Signal(const TscFileDescriptor& event) {
  const uint64_t one = 1;
  ssize_t written;
  do {
    written = ::write(event.Get(), &one, sizeof one);
  } while (written < 0 && errno == EINTR);
}

void Drain(const TscFileDescriptor& event) {
  uint64_t count;
  ssize_t got;
  do {
    got = ::read(event.Get(), &count, sizeof count);
  } while (got < 0 && errno == EINTR);
}

void SetModemLine(int fd, int line, bool on) {
  ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace

TscExclusiveUse::TscExclusiveUse(int fd) {
  if (ioctl(fd, TIOCEXCL) == 0) Fd_ = fd;
}

TscExclusiveUse::~TscExclusiveUse() {
  if (Fd_ >= 0) ioctl(Fd_, TIOCNXCL);
}

std::unique_ptr<TscPortDevice> TPosixPortDevice::Open(const std::string& path, TscOpenFailure& failure) {
  auto fail = [&](int error) {
    failure = {error, OpenFailureDetail(path, error)};
    return nullptr;
  };
  if (path.empty()) return fail(ENODEV);
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return fail(errno);
  TscFileDescriptor device(fd);
  // The lock keeps out every other opener that locks; TIOCEXCL does not stop root.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return fail(errno == EWOULDBLOCK ? EBUSY : errno);
  termios t{};
  if (tcgetattr(fd, &t) != 0) return fail(errno);
  TscExclusiveUse exclusive(fd);
  if (!exclusive.Taken()) return fail(errno);
  // Taken exclusively, no one can join any more; whoever held the device before without a
  // lock would take bytes meant for us.
  struct stat opened {};
  if (fstat(fd, &opened) == 0) {
    const std::vector<TscDeviceHolder> holders = OtherDeviceHolders(opened.st_rdev);
    if (!holders.empty()) {
      failure = {EBUSY, path + " " + HoldersText(holders)};
      return nullptr;
    }
  }
  TscFileDescriptor wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  TscFileDescriptor readDone(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!wake.Valid() || !readDone.Valid()) return fail(errno);
  return std::make_unique<TPosixPortDevice>(std::move(device), std::move(exclusive), std::move(wake),
                                            std::move(readDone));
}

TPosixPortDevice::TPosixPortDevice(TscFileDescriptor device, TscExclusiveUse exclusive, TscFileDescriptor wake,
                                   TscFileDescriptor readDone)
    : Device_(std::move(device)),
      Exclusive_(std::move(exclusive)),
      Rs485_({[fd = Device_.Get()](TscRs485Record& record) { return ReadRs485(fd, record); },
              [fd = Device_.Get()](const TscRs485Record& record) { return WriteRs485(fd, record); }}),
      Wake_(std::move(wake)),
      ReadDone_(std::move(readDone)) {
  HasLineCounts_ = ReadLineCounts(Device_.Get(), LineCounts_);
}

bool TPosixPortDevice::ClearCommError(uint32_t& errors, TComStat& stat) {
  int waiting = 0;
  if (ioctl(Device_.Get(), FIONREAD, &waiting) != 0) return false;
  int sending = 0;
  if (ioctl(Device_.Get(), TIOCOUTQ, &sending) != 0) sending = 0;
  errors = 0;
  TscLineCounts now;
  if (HasLineCounts_ && ReadLineCounts(Device_.Get(), now)) {
    errors = LineErrorBits(LineCounts_, now);
    LineCounts_ = now;
  }
  stat = {0, uint32_t(waiting), uint32_t(sending)};
  return true;
}

void TPosixPortDevice::SetupComm(uint32_t, uint32_t) {
  // The kernel sizes its terminal queues itself.
}

void TPosixPortDevice::SetCommTimeouts(const TCommTimeouts&) {
  // Reads take only bytes already waiting, so they never wait; there is no writing.
}

void TPosixPortDevice::SetCommState(const TDcb& dcb) {
  const int fd = Device_.Get();
  termios t{};
  if (tcgetattr(fd, &t) != 0) return;
  ApplyDcb(dcb, t);
  tcsetattr(fd, TCSANOW, &t);
  if (NeedsCustomBaudRate(dcb.BaudRate)) SetCustomBaudRate(fd, dcb.BaudRate);
  const TscModemLines lines = ModemLinesFor(dcb);
  SetModemLine(fd, TIOCM_DTR, lines.DtrOn);
  Rs485_.Want(lines.RtsByDriver);
  if (!lines.RtsByDriver) SetModemLine(fd, TIOCM_RTS, lines.RtsOn);
}

void TPosixPortDevice::SetCommMask(uint32_t) {
  // Received characters, which every mask holds, are the only event a terminal
  // signals through poll; line errors come with the bytes they spoil.
}

TscWaitResult TPosixPortDevice::WaitCommEvent(uint32_t& eventMask) {
  bool reportedStillWaiting = false;
  bool gathered = false;
  for (;;) {
    // While reported bytes wait, only hang-ups are watched, and the count is looked at
    // again after each read and now and then.
    pollfd fds[3] = {{Device_.Get(), short(reportedStillWaiting ? 0 : POLLIN), 0},
                     {Wake_.Get(), POLLIN, 0},
                     {ReadDone_.Get(), POLLIN, 0}};
    if (PollRetrying(fds, 3, reportedStillWaiting ? RecheckMs : -1) < 0) return wrFailed;
    if (fds[1].revents != 0) return wrCancelled;
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) return wrFailed;
    if (fds[2].revents != 0) Drain(ReadDone_);
    int waiting = 0;
    bool newBytes = false;
    {
      std::lock_guard lock(ReportedMutex_);
      if (ioctl(Device_.Get(), FIONREAD, &waiting) != 0) return wrFailed;
      newBytes = uint32_t(waiting) > Reported_;
      if (newBytes && (gathered || Reported_ > 0 || waiting >= GatherBytes)) {
        Reported_ = uint32_t(waiting);
        eventMask = EV_RXCHAR;
        return wrEvent;
      }
    }
    reportedStillWaiting = waiting > 0 && !newBytes;
    if (newBytes) {
      const TscWaitResult gathering = GatherBurst(waiting);
      if (gathering != wrEvent) return gathering;
      gathered = true;
    }
  }
}

// First bytes after a quiet spell: let the rest of the burst come, until a block's worth
// waits or GatherMs have passed. After a first look, the wait goes on for as long as a
// block's worth takes at the rate the bytes came, so a slow device wakes this thread
// twice and a fast one is read on time. A hang-up ends the gathering early and is seen
// at the next look.
TscWaitResult TPosixPortDevice::GatherBurst(int firstWaiting) {
  int waiting = firstWaiting;
  int slept = 0;
  int step = GatherProbeMs;
  while (slept < GatherMs && waiting < GatherBytes) {
    pollfd wake[2] = {{Device_.Get(), 0, 0}, {Wake_.Get(), POLLIN, 0}};
    if (PollRetrying(wake, 2, step) < 0) return wrFailed;
    if (wake[1].revents != 0) return wrCancelled;
    if (wake[0].revents != 0) break;
    slept += step;
    if (ioctl(Device_.Get(), FIONREAD, &waiting) != 0) return wrFailed;
    if (slept >= GatherMs) break;
    const int bytesPerMs = std::max(1, (waiting - firstWaiting) / slept);
    step = std::clamp((GatherBytes - waiting) / bytesPerMs, 1, GatherMs - slept);
  }
  return wrEvent;
}

void TPosixPortDevice::CancelWait() { Signal(Wake_); }

bool TPosixPortDevice::Read(uint8_t* buffer, uint32_t count, uint32_t& read) {
  std::lock_guard lock(ReportedMutex_);
  ssize_t got;
  do {
    got = ::read(Device_.Get(), buffer, count);
  } while (got < 0 && errno == EINTR);
  // Nothing read from a terminal that was asked for bytes is a hang-up.
  if (got < 0 || (got == 0 && count > 0)) return false;
  read = uint32_t(got);
  Reported_ -= std::min(Reported_, read);
  Signal(ReadDone_);
  return true;
}

void TPosixPortDevice::PurgeComm(uint32_t purgeFlags) {
  const bool input = purgeFlags & PURGE_RXCLEAR;
  const bool output = purgeFlags & PURGE_TXCLEAR;
  if (!input && !output) return;  // nothing is ever pending in the background to abort
  std::lock_guard lock(ReportedMutex_);
  tcflush(Device_.Get(), input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH);
  if (input) {
    Reported_ = 0;
    Signal(ReadDone_);
  }
}

void TPosixPortDevice::SetRts(bool on) { SetModemLine(Device_.Get(), TIOCM_RTS, on); }

TModemSignals TPosixPortDevice::ModemStatus() {
  int lines = 0;
  TModemSignals signals;
  if (ioctl(Device_.Get(), TIOCMGET, &lines) != 0) return signals;
  if (lines & TIOCM_CTS) signals.Include(msCTS);
  if (lines & TIOCM_DSR) signals.Include(msDSR);
  if (lines & TIOCM_RNG) signals.Include(msRing);
  if (lines & TIOCM_CAR) signals.Include(msRLSD);
  return signals;
}
