#include "app/fonts.h"

#include <QFont>

void InstallFontSubstitutions() {
  for (const char* face : {"Arial", "Tahoma", "MS Sans Serif"}) {
    QFont::insertSubstitution(QString::fromLatin1(face), QStringLiteral("Liberation Sans"));
  }
}
