#include "app/info_window.h"

#include <QLabel>
#include <QPushButton>

TFormInfo::TFormInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(QStringLiteral("  Info"));
  setModal(false);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(13);
  setFont(font);
  setFixedSize(252, 323);

  auto* name = new QLabel(QStringLiteral("Tavolix"), this);
  QFont nameFont(QStringLiteral("Arial"));
  nameFont.setPixelSize(20);
  nameFont.setBold(true);
  name->setFont(nameFont);
  name->setAlignment(Qt::AlignHCenter);
  name->setGeometry(0, 16, 249, 28);

  auto* text = new QLabel(this);
  text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  text->setWordWrap(true);
  text->setGeometry(16, 64, 217, 217);
  text->setText(QStringLiteral(
      "Version " TAVOLIX_VERSION "\n\n"
      "Live-Grafik für serielle Messdaten\n\n"
      "Die Nutzung ist frei. Die Software wird ohne jede Gewährleistung bereitgestellt; für Schäden "
      "durch ihren Einsatz wird keine Haftung übernommen.\n\n"
      "Ein Werkzeug des Tavolix-Projekts für die Entwicklung von Mikrocontroller-Firmware."));

  Button1 = new QPushButton(QStringLiteral("Close"), this);
  Button1->setGeometry(96, 296, 75, 25);
  connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
}
