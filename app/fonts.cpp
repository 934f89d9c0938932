#include "app/fonts.h"

#include <QFont>

void InstallFontSubstitutions() {
  for (const char* face : {"Arial", "Tahoma", "MS Sans Serif"}) {
    QFont::insertSubstitution(QString::fromLatin1(face), QStringLiteral("Liberation Sans"));
  }
}

TFont PixelFont(const char* face, int pixelHeight) {
  TFont font;
  font.Name = face;
  font.Height = -pixelHeight;
  font.Color = clBlack;
  return font;
}
