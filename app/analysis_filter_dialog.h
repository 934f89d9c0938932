#pragma once
// "Digitales Filter": adds a filtered copy of a channel to the main chart as a layer of its
// own, lists the copies and takes them away, and copies a filter's coefficients to the
// clipboard as C code for the firmware.

#include <QDialog>

#include "analysis/filter_design.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class TAnalysisFeed;
class TAnalysisWindows;
class TSampleRateField;
class TUserDialogs;

class TFilterDialog : public QDialog {
 public:
  TFilterDialog(TAnalysisWindows& analysis, TUserDialogs& dialogs, QWidget* parent);

  // The design the fields describe. Throws EConvertError or EAnalysisError with the reason.
  TFilterDesign Design() const;
  // Fills the channel list from the chart's curves.
  void RefreshChannels();

  QComboBox* ChannelBox = nullptr;  // the channels' layers as item data
  QComboBox* KindBox = nullptr;     // TFilterKind as item data
  QSpinBox* LengthEdit = nullptr;
  QSpinBox* OrderEdit = nullptr;
  QLineEdit* CutoffEdit = nullptr;
  QLineEdit* CutoffHighEdit = nullptr;
  TSampleRateField* SampleRateEdit = nullptr;
  QLabel* UnitLabel = nullptr;
  QPushButton* AddButton = nullptr;   // "Hinzufügen"
  QPushButton* CopyCodeButton = nullptr;  // "C-Code kopieren"
  QListWidget* CopyList = nullptr;    // the copies, their layers as item data
  QPushButton* RemoveButton = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void KindChanged();
  void AddCopy();
  void CopyCode();
  void RemoveCopy();
  void RefreshCopies();
  double ReadFrequency(const QLineEdit* edit) const;
  // Hz of the chosen channel: the rate the user gave, or on the time axis its samples' mean
  // rate; 0 for cycles per sample.
  double SourceRate() const;

  TAnalysisWindows& Analysis_;
  TAnalysisFeed& Feed_;
  TUserDialogs& Dialogs_;
};
