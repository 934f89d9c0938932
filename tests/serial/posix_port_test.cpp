// The Linux side of the port beyond what the component shows: a board's RS-485 mode, the
// stable names of devices, and the advice for a device the user may not open.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "serial/posix/open_failure.h"
#include "serial/posix/rs485_keeper.h"
#include "serial/posix/serial_device_list.h"
#include "tests/serial/pty.h"

namespace {

TEST(Rs485Keeper, BoardsModeIsLeftAloneUnlessAskedForAndGivenBack) {
  TscRs485Record board;
  board.Flags = Rs485Enabled | Rs485RtsAfterSend;  // configured at boot
  board.Rest[0] = 7;  // a delay before sending
  const TscRs485Record atBoot = board;
  int writes = 0;
  bool hasRs485 = true;
  {
    TscRs485Keeper keeper({[&](TscRs485Record& r) { return hasRs485 && (r = board, true); },
                           [&](const TscRs485Record& r) { return ++writes, board = r, true; }});
    keeper.Want(false);  // every settings update of a port without RS-485 mode
    keeper.Want(false);
    EXPECT_EQ(writes, 0);
    keeper.Want(true);
    EXPECT_EQ(board.Flags, Rs485Enabled | Rs485RtsOnSend);
    EXPECT_EQ(board.Rest[0], 7u);
    keeper.Want(true);
    keeper.Want(false);
    EXPECT_EQ(board.Flags, atBoot.Flags);
    keeper.Want(true);
  }  // the port closes
  EXPECT_EQ(board.Flags, atBoot.Flags);

  hasRs485 = false;
  const int before = writes;
  TscRs485Keeper plain({[&](TscRs485Record& r) { return hasRs485 && (r = board, true); },
                        [&](const TscRs485Record& r) { return ++writes, board = r, true; }});
  plain.Want(true);
  plain.Restore();
  EXPECT_EQ(writes, before);
}

TEST(SerialDeviceList, StableNameIsTheLinkToTheSameDevice) {
  const TPty board, other;
  const std::string names = testing::TempDir() + "/by-id-" + std::to_string(getpid());
  std::filesystem::create_directory(names);
  const std::string link = names + "/usb-Board_A50285BI-if00";
  ASSERT_EQ(symlink(other.DevicePath().c_str(), (names + "/usb-Other-if00").c_str()), 0);
  ASSERT_EQ(symlink(board.DevicePath().c_str(), link.c_str()), 0);
  EXPECT_EQ(StableDeviceLink(board.DevicePath(), names), link);
  EXPECT_EQ(StableDeviceLink(link, names), link);
  EXPECT_EQ(StableDeviceLink("/dev/null", names), "");
  EXPECT_EQ(StableDeviceLink(names + "/gone", names), "");
  std::filesystem::remove_all(names);
}

TEST(OpenFailure, AccessDeniedSaysWhichGroupToJoin) {
  EXPECT_EQ(AccessDeniedAdvice("/dev/ttyACM0", "dialout", true, "root", "anna"),
            "Zugriff verweigert: /dev/ttyACM0 gehört der Gruppe dialout; Mitglied werden mit: "
            "sudo usermod -aG dialout anna, dann neu anmelden");
  // Joining the group would not help.
  EXPECT_EQ(AccessDeniedAdvice("/dev/ttyS0", "root", false, "root", "anna"),
            "Zugriff verweigert: /dev/ttyS0 ist nur für root freigegeben");
}

}  // namespace
