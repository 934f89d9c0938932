#pragma once
// Runs a command of a window; an error that escapes it is shown in the error box, as Qt
// must never see an exception.

#include <QString>
#include <exception>

#include "app/user_dialogs.h"

template <class Command>
void RunGuarded(TUserDialogs& dialogs, Command&& command) {
  try {
    command();
  } catch (const std::exception& e) {
    dialogs.ShowError(QString::fromStdString(e.what()));
  }
}
