#include "app/help_window.h"

#include <QFrame>
#include <QPushButton>
#include <QTextEdit>

#include "app/help_text.h"

namespace {

// The window's outer size, frame included, and its limits.
constexpr QSize kOuterSize(778, 603);
constexpr QSize kOuterMinimum(400, 400);
constexpr QSize kOuterMaximum(1600, 1000);
// In the client area the window was designed with, 762 x 564, the text panel keeps 7 px
// to the right and 24 px to the bottom edge, the button 8 px to the right edge; they
// keep these distances when the window's size changes.
constexpr int kPanelRightGap = 7;
constexpr int kPanelBottomGap = 24;
constexpr int kButtonRightGap = 8;

}  // namespace

TFormHilfe::TFormHilfe(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("     Hilfe"));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(13);
  setFont(font);
  FitOuterSize({});

  Button1 = new QPushButton(QStringLiteral("Close"), this);
  Button1->setGeometry(679, 4, 75, 25);
  connect(Button1, &QPushButton::clicked, this, &QWidget::hide);

  auto* panel = new QFrame(this);
  panel->setFrameStyle(QFrame::Box | QFrame::Plain);
  panel->setAutoFillBackground(true);
  QPalette white = panel->palette();
  white.setColor(QPalette::Window, Qt::white);
  panel->setPalette(white);
  panel->setGeometry(8, 32, 747, 508);
  Panel_ = panel;

  RichEdit1 = new QTextEdit(panel);
  RichEdit1->setFrameStyle(QFrame::NoFrame);
  RichEdit1->setReadOnly(true);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont textFont(QStringLiteral("Arial"));
  textFont.setPixelSize(17);
  RichEdit1->setFont(textFont);
  RichEdit1->setPlainText(HelpText());
  // Keep the selection visible when the window loses focus.
  QPalette selection = RichEdit1->palette();
  selection.setColor(QPalette::Inactive, QPalette::Highlight, selection.color(QPalette::Active, QPalette::Highlight));
  selection.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     selection.color(QPalette::Active, QPalette::HighlightedText));
  RichEdit1->setPalette(selection);
}

void TFormHilfe::resizeEvent(QResizeEvent*) {
  Button1->move(width() - kButtonRightGap - Button1->width(), Button1->y());
  Panel_->resize(width() - Panel_->x() - kPanelRightGap, height() - Panel_->y() - kPanelBottomGap);
  RichEdit1->setGeometry(1, 1, Panel_->width() - 2, Panel_->height() - 2);
}

void TFormHilfe::FitOuterSize(const QMargins& frame) {
  const QSize frameSize = QSize(0, 0).grownBy(frame);
  setMinimumSize(kOuterMinimum - frameSize);
  setMaximumSize(kOuterMaximum - frameSize);
  resize(kOuterSize - frameSize);
}
