// Leaving the row the editor panel shows: typed texts are never dropped without a word. Choosing
// another row, a command that moves to another row and closing the window ask whether to save
// them; a new entry nobody typed anything into just goes with its row.
#include "texts/Texts.h"
#include "ui/Root.h"

bool Root::LeavePanel() {
  if (!panel_.HasUnsavedEdits()) {
    DropAbandonedNewEntry();
    return true;
  }
  const int answer = Tell(Texts::SaveChangesQuestion(panel_.Boxes().fileName),
                          MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDNO) {
    DiscardPanelEdits();
    return true;
  }
  if (answer != IDYES) return false;
  // The save works on the selected row: the panel's own.
  SelectRowSilently(panel_.Shown());
  RunCommand(Command::Speichern);
  return !panel_.HasUnsavedEdits();  // a save that failed or was refused has told the user why
}

// The list's selection moved by the user's click or key, or by a command. The panel follows at
// once unless it holds a new entry or typed texts: then the question comes once the list is done.
// A command's or a reading's own selection is followed without a question.
void Root::OnRowChosen() {
  const EntryId id = list_.SelectedId();
  const EntryId shown = panel_.Shown();
  if (id == shown && panel_.HasUnsavedEdits()) return;  // back on the edited row
  const bool leaving = shown != 0 && id != shown;
  const bool asks = commandsRunning_ == 0 && !rowsRebuilding_;
  if (leaving && asks && (ShowsNewEntry() || panel_.HasUnsavedEdits())) {
    if (!leavePending_) PostMessageW(hwnd_, kLeaveRowMessage, 0, 0);
    leavePending_ = true;
    return;
  }
  LoadSelectedRow();
}

// Shows the row's saved texts again, unless that would drop typed ones.
void Root::OnListDoubleClick() {
  if (!leavePending_ && !panel_.HasUnsavedEdits()) LoadSelectedRow();
}

void Root::ResolvePendingLeave() {
  if (!leavePending_) return;
  leavePending_ = false;
  const EntryId target = list_.SelectedId();
  if (target == panel_.Shown()) return;
  if (!LeavePanel()) {
    SelectRowSilently(panel_.Shown());
    return;
  }
  if (target != 0 && list_.RowOf(target) >= 0 && target != list_.SelectedId())
    list_.Select(target, true);  // its notification loads it
  else
    LoadSelectedRow();
}

// The panel's row again, without loading it: its notification finds the panel showing it.
void Root::SelectRowSilently(EntryId id) {
  if (id != 0 && list_.RowOf(id) >= 0) list_.Select(id, true);
}

// A new entry goes with its row; a registration's boxes show what it holds again.
void Root::DiscardPanelEdits() {
  if (ShowsNewEntry())
    DropAbandonedNewEntry();
  else
    panel_.RevertEdits();
}

// The draft of a new entry lives only while the panel shows it. When its row was selected, the
// row that takes its place is selected and shown.
void Root::DropAbandonedNewEntry() {
  const EntryId draft = panel_.Shown();
  if (!ShowsNewEntry()) return;
  const bool wasSelected = list_.SelectedId() == draft;
  const int row = list_.RowOf(draft);
  Forget(draft);
  panel_.Clear();
  const int count = list_.Count();
  if (wasSelected && row >= 0 && count > 0) list_.SelectRow(row < count ? row : count - 1);
}
