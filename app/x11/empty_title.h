#pragma once
// A window whose title is empty. Qt hands the window system the program's name in place
// of an empty title; on X11 the title properties are set empty here instead. Elsewhere
// Qt's title stands.

class QWidget;

// Makes the window's native window and empties its title there; call before showing it.
void KeepTitleEmpty(QWidget& window);
