#pragma once
// The page "Kanäle" of the "Auto" mode: one row per channel with its colour and whether
// it is shown, its name, scale factor and offset. Rows of channels the device has not
// sent yet can be set in advance; where the user gives no name the device's shows.

#include <QWidget>
#include <functional>

#include "acquisition/channel_table.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TUserDialogs;

class TChannelTablePage final : public QWidget {
 public:
  enum TColumn { colChannel, colName, colFactor, colOffset };

  TChannelTablePage(TChannelTable& channels, TUserDialogs& dialogs, char decimalSeparator, QWidget* parent = nullptr);

  // Shows the channels as they are now.
  void Refresh();
  // Double-clicking the channel cell asks for a colour.
  void ChooseColor(int32_t channel);

  // After the user changed a channel.
  std::function<void()> OnEdited;
  // The button "Kanäle neu erkennen".
  std::function<void()> OnForget;

  QTableWidget* Table = nullptr;
  QPushButton* ForgetButton = nullptr;
  // With the x axis "Zeit": the device's own timestamp instead of the arrival times.
  QCheckBox* DeviceTimeCheckBox = nullptr;

 private:
  void CellChanged(int row, int column);
  QString NumberText(float value) const;
  void Edited();

  TChannelTable& Channels_;
  TUserDialogs& Dialogs_;
  const char DecimalSeparator_;
};
