#include "tests/app/window_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "app/circular_progress.h"
#include "app/fonts.h"
#include "tests/support/offscreen_qt_environment.h"

namespace {

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TOffscreenQtEnvironment(InstallFontSubstitutions));

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeout.count()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

TWindowFixture::TWindowFixture() {
  setenv("TAVOLIX_COM5", Device.DevicePath().c_str(), 1);
  Form = std::make_unique<TForm1>(Dialogs, QLocale(QLocale::German, QLocale::Germany));
  Form->show();
}

TWindowFixture::~TWindowFixture() {
  StopWriter();
  Form.reset();
  unsetenv("TAVOLIX_COM5");
}

void TWindowFixture::Send(std::string bytes) {
  StopWriter();
  Written_ = false;
  Cancel_ = false;
  Writer_ = std::thread([this, bytes = std::move(bytes)] {
    const int fd = Device.Controller();
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    size_t done = 0;
    while (done < bytes.size() && !Cancel_) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += size_t(n);
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        break;
      } else {
        pollfd p{fd, POLLOUT, 0};
        poll(&p, 1, 20);
      }
    }
    Written_ = done == bytes.size();
  });
}

bool TWindowFixture::WaitSent(std::chrono::milliseconds timeout) {
  const bool written = WaitUntil([this] { return Written_.load(); }, timeout);
  StopWriter();
  return written;
}

void TWindowFixture::DropUnread() {
  StopWriter();
  tcflush(Device.Device(), TCIFLUSH);
}

int64_t TWindowFixture::Count() const { return Form->StatusPanels[0]->text().toLongLong(); }

bool TWindowFixture::Idle() const {
  return Form->StartButton->isEnabled() && !Form->StopButton->isEnabled() && !Form->CircularProgress->isEnabled() &&
         !Form->scComm1().Active();
}

void TWindowFixture::StopWriter() {
  Cancel_ = true;
  if (Writer_.joinable()) Writer_.join();
}

std::string NumberLines(int count, int channels, int first) {
  std::string out;
  out.reserve(size_t(count) * 16);
  for (int i = 0; i < count; ++i) {
    const std::string v = std::to_string((first + i) % 10);
    out += channels == 2 ? v + ";" + v + "\r\n" : v + "\r\n";
  }
  return out;
}
