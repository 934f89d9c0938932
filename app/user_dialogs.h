#pragma once
// The message boxes and file dialogs the windows show, behind one seam so that tests
// can answer them without a modal loop.

#include <QColor>
#include <QString>
#include <optional>

// The application's title: the error box's title and the name a later start reports.
inline QString ApplicationTitle() { return QStringLiteral("Tavolix"); }

class TUserDialogs {
 public:
  virtual ~TUserDialogs() = default;
  // Information box: information icon, empty title, on top of every window.
  virtual void ShowInformation(const QString& text) = 0;
  // The application's error box for a failed command.
  virtual void ShowError(const QString& text) = 0;
  // Empty when the user cancels. Filters are in Qt's form: "Graphic Files (*.bmp *.BMP)".
  virtual QString SaveFileName(const QString& filter, const QString& defaultSuffix) = 0;
  virtual QString OpenFileName(const QString& filter, const QString& defaultSuffix) = 0;
  // None when the user cancels.
  virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
};

// For programs without a user: what the window would show in message boxes goes to
// stderr, and there is nobody to ask for file names.
class TStderrDialogs final : public TUserDialogs {
 public:
  void ShowInformation(const QString& text) override;
  void ShowError(const QString& text) override;
  QString SaveFileName(const QString&, const QString&) override { return {}; }
  QString OpenFileName(const QString&, const QString&) override { return {}; }
  std::optional<QColor> ChooseColor(const QColor&) override { return {}; }
  bool ErrorShown = false;
};

// The real boxes and dialogs.
class TQtUserDialogs final : public TUserDialogs {
 public:
  void ShowInformation(const QString& text) override;
  void ShowError(const QString& text) override;
  QString SaveFileName(const QString& filter, const QString& defaultSuffix) override;
  QString OpenFileName(const QString& filter, const QString& defaultSuffix) override;
  std::optional<QColor> ChooseColor(const QColor& initial) override;
};
