// Leaving the row the editor panel shows: typed texts are never dropped without a word. Choosing
// another row, a command that moves to another row and closing the window ask whether to save
// them; a new entry nobody typed anything into just goes with its row.
#include "ui/Root.h"
#include "ui/Texts.h"

bool Root::PanelHasUnsavedEdits() const {
  if (ShowsNewEntry())
    return text1_.Text() != Texts::kNewEntry || !text2_.Text().empty() || !text3_.Text().empty();
  // Nothing loaded, or a row nobody can type into: its key may not be written.
  if (panel_.keyName.empty() || (panel_.scope == Scope::Machine && !machineWritable_)) return false;
  return text2_.Text() != panel_.installation || text3_.Text() != panel_.directory;
}

bool Root::LeavePanel() {
  if (!PanelHasUnsavedEdits()) {
    DropAbandonedNewEntry();
    return true;
  }
  const int answer = prompts_.Message(hwnd_, Texts::SaveChangesQuestion(text1_.Text()), Title(),
                                      MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDNO) {
    DiscardPanelEdits();
    return true;
  }
  if (answer != IDYES) return false;
  // The save works on the selected row: the panel's own.
  SelectRowSilently(panelRow_);
  RunCommand(Command::Speichern);
  return !PanelHasUnsavedEdits();  // a save that failed or was refused has told the user why
}

// The list's selection moved by the user's click or key. The panel follows at once unless it
// holds a new entry or typed texts: then the question comes once the list is done.
void Root::OnRowChosen(int row) {
  const LPARAM id = lstFileList_.IdOf(row);
  const bool leaving = panelRow_ != 0 && id != panelRow_;
  if (id == panelRow_ && PanelHasUnsavedEdits()) return;  // back on the edited row
  if (leaving && commandsRunning_ == 0 && (ShowsNewEntry() || PanelHasUnsavedEdits())) {
    if (!leavePending_) PostMessageW(hwnd_, kLeaveRowMessage, 0, 0);
    leavePending_ = true;
    return;
  }
  LoadSelectedRow();
}

void Root::ResolvePendingLeave() {
  if (!leavePending_) return;
  leavePending_ = false;
  const int selected = lstFileList_.SelectedIndex();
  const LPARAM target = selected >= 0 ? lstFileList_.IdOf(selected) : 0;
  if (target == panelRow_) return;
  if (!LeavePanel()) {
    SelectRowSilently(panelRow_);
    return;
  }
  const int row = lstFileList_.IndexOfId(target);
  if (row >= 0 && row != lstFileList_.SelectedIndex()) {
    lstFileList_.Select(row);  // its notification loads it
  } else {
    LoadSelectedRow();
  }
}

// The panel's row again, without loading it: the panel still shows it.
void Root::SelectRowSilently(LPARAM id) {
  const int row = lstFileList_.IndexOfId(id);
  if (row < 0) return;
  lstFileList_.Select(row);
  lstFileList_.EnsureVisible(row);
}

// A new entry goes with its row; a registration's boxes show what it holds again.
void Root::DiscardPanelEdits() {
  if (ShowsNewEntry()) {
    DropAbandonedNewEntry();
    return;
  }
  text2_.SetText(panel_.installation);
  text3_.SetText(panel_.directory);
}

// The row of a new entry exists only while the panel shows it. When it was selected, the row
// that takes its place is selected and shown.
void Root::DropAbandonedNewEntry() {
  if (!ShowsNewEntry()) return;
  const int row = lstFileList_.IndexOfId(panelRow_);
  const bool wasSelected = row >= 0 && row == lstFileList_.SelectedIndex();
  panelRow_ = 0;
  panel_ = PanelSource{};
  text1_.SetLocked(true);
  for (TextBox* box : {&text1_, &text2_, &text3_}) box->SetText(L"");
  if (row < 0) return;
  lstFileList_.RemoveRow(row);
  const int count = lstFileList_.Count();
  if (wasSelected && count > 0) lstFileList_.Select(row < count ? row : count - 1);
}
