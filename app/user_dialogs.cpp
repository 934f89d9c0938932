#include "app/user_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <cstdio>

#include "app/x11/empty_title.h"

namespace {

void ShowBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  if (title.isEmpty()) KeepTitleEmpty(box);
  box.exec();
}

QString RunFileDialog(QFileDialog::AcceptMode mode, const QString& filter, const QString& defaultSuffix) {
  QFileDialog dialog(nullptr, QString(), QDir::homePath(), filter);
  dialog.setAcceptMode(mode);
  dialog.setDefaultSuffix(defaultSuffix);
  if (mode == QFileDialog::AcceptSave) {
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void PrintToStderr(const QString& text) { std::fprintf(stderr, "tavolix: %s\n", text.toLocal8Bit().constData()); }

}  // namespace

void TStderrDialogs::ShowInformation(const QString& text) { PrintToStderr(text); }

void TStderrDialogs::ShowError(const QString& text) {
  PrintToStderr(text);
  ErrorShown = true;
}

void TQtUserDialogs::ShowInformation(const QString& text) { ShowBox(QMessageBox::Information, QString(), text); }

void TQtUserDialogs::ShowError(const QString& text) {
  ShowBox(QMessageBox::Critical, ApplicationTitle(), text);
}

QString TQtUserDialogs::SaveFileName(const QString& filter, const QString& defaultSuffix) {
  return RunFileDialog(QFileDialog::AcceptSave, filter, defaultSuffix);
}

QString TQtUserDialogs::OpenFileName(const QString& filter, const QString& defaultSuffix) {
  return RunFileDialog(QFileDialog::AcceptOpen, filter, defaultSuffix);
}

std::optional<QColor> TQtUserDialogs::ChooseColor(const QColor& initial) {
  const QColor color = QColorDialog::getColor(initial);
  if (!color.isValid()) return {};
  return color;
}
