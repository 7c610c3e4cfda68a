// A working window whose construction is not part of this program yet
// (drawing, calculator, tables): it opens with its caption and a note, so
// that the commands and the "generate dial" sequence run their course.
#pragma once

#include "ui/child_form.h"

namespace tavrel {

class PlaceholderWindow : public ChildForm {
  Q_OBJECT
 public:
  // `entry` is the main-menu entry whose caption becomes the window's.
  PlaceholderWindow(TForm1* main, ShellWindow kind, int entry);
  int entry() const { return entry_; }

 private:
  int entry_;
};

}  // namespace tavrel
