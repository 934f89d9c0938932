#include "app/help_window.h"

#include <QFrame>
#include <QPushButton>
#include <QTextEdit>

#include "app/help_text.h"

namespace {

constexpr int kWidth = 778;
constexpr int kHeight = 603;
// Distances of the text panel and the button to the right and bottom edges.
constexpr int kPanelRightGap = kWidth - 8 - 747;
constexpr int kPanelBottomGap = kHeight - 32 - 508;
constexpr int kButtonRightGap = kWidth - 679 - 75;

}  // namespace

TFormHilfe::TFormHilfe(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("     Hilfe"));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(13);
  setFont(font);
  resize(kWidth, kHeight);
  setMinimumSize(400, 400);
  setMaximumSize(1600, 1000);

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
