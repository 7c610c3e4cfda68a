#include "ui/placeholder_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/language.h"

namespace tavrel {

PlaceholderWindow::PlaceholderWindow(TForm1* main, ShellWindow kind, int entry)
    : ChildForm(main, kind), entry_(entry) {
  auto* layout = new QVBoxLayout(body());
  QLabel* note = makeLabel(tx(2060), body());
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignCenter);
  layout->addWidget(note);
  bindText([this, entry] {
    setWindowTitle(plainq(qs(tableText(TextTable::Menu, entry))).trimmed());
  });
  body()->setMinimumSize(420, 200);
}

}  // namespace tavrel
