#include "ui/EditorPanel.h"

#include "catalogue/EntryValues.h"
#include "catalogue/InstallationText.h"
#include "catalogue/Resolution.h"
#include "platform/BackgroundChecks.h"
#include "platform/Dateiexistenz.h"
#include "platform/Environment.h"
#include "platform/FileDirPath.h"
#include "platform/ControlPictures.h"
#include "texts/DetailsTexts.h"
#include "texts/Texts.h"
#include "ui/EditorPanelRules.h"
#include "ui/PanelStatus.h"

namespace {

TypedText PanelValue(const std::wstring& shown, const std::wstring& loaded,
                     const std::optional<Registry::RawValue>* stored) {
  if (stored != nullptr && *stored && shown == loaded)
    if (std::optional<std::wstring> text = Registry::TextOfRaw(**stored))
      return {std::move(*text), (*stored)->type};
  return {shown, WrittenType(shown, stored != nullptr ? *stored : std::nullopt)};
}

}  // namespace

void EditorPanel::Attach(const Controls& controls, BackgroundChecks* checks,
                         bool machineWritable) {
  text1_.Attach(controls.text1);
  text2_.Attach(controls.text2);
  text3_.Attach(controls.text3);
  bDateiname_.Attach(controls.browse);
  bHinzufügen_.Attach(controls.ok);
  scope_ = controls.scope;
  note_ = controls.note;
  details_ = controls.details;
  checks_ = checks;
  machineWritable_ = machineWritable;
  text3Subclass_.Attach(text3_.Handle(), &EditorPanel::Text3Proc, this);
  SetMode(PanelMode::View);
}

// ---- What it holds ----

TypedText EditorPanel::Installation() const {
  const AppPathEntry* entry = catalogue_.Find(source_.entry);
  return PanelValue(text2_.Text(), source_.installation,
                    entry != nullptr ? &entry->StoredInstallation : nullptr);
}

TypedText EditorPanel::Directory() const {
  const AppPathEntry* entry = catalogue_.Find(source_.entry);
  return PanelValue(text3_.Text(), source_.directory,
                    entry != nullptr ? &entry->StoredDirectory : nullptr);
}

bool EditorPanel::Edited() const {
  if (mode_ != PanelMode::View) return true;  // a new entry or a rename under way
  return text2_.Text() != source_.installation || text3_.Text() != source_.directory;
}

bool EditorPanel::HasUnsavedEdits() const {
  if (const AppPathEntry* draft = catalogue_.Draft(shown_))
    return text1_.Text() != draft->FileName || text2_.Text() != draft->Installation ||
           text3_.Text() != draft->Directory;
  // Nothing loaded, or a row nobody can type into: its key may not be written.
  if (source_.keyName.empty() || !MayChange(source_.scope)) return false;
  return text2_.Text() != source_.installation || text3_.Text() != source_.directory;
}

bool EditorPanel::InBox(HWND window) const {
  return window != nullptr &&
         (window == text1_.Handle() || window == text2_.Handle() || window == text3_.Handle());
}

bool EditorPanel::Owns(HWND window) const {
  return InBox(window) || (window != nullptr && (window == bDateiname_.Handle() ||
                                                 window == bHinzufügen_.Handle()));
}

// ---- What changes it ----

void EditorPanel::SetMode(PanelMode mode) {
  mode_ = mode;
  text1_.SetLocked(mode == PanelMode::View);
}

void EditorPanel::LockValues(bool locked) {
  text2_.SetLocked(locked);
  text3_.SetLocked(locked);
}

void EditorPanel::LoadEntry(const AppPathEntry& entry) {
  shown_ = entry.Id;
  text1_.SetText(entry.FileName);
  text2_.SetText(entry.Installation);
  text3_.SetText(entry.Directory);
  source_ = PanelSource{entry.Id,           entry.KeyName,   entry.Scope,
                        entry.Installation, entry.Directory, entry.StoredInstallation,
                        entry.StoredDirectory};
  LockValues(!MayChange(entry.Scope));
  ShowScope(entry.Scope);
  ShowNote();
  ShowDetails();
}

void EditorPanel::LoadNewEntry(const AppPathEntry& draft, Scope scope) {
  shown_ = draft.Id;
  text1_.SetText(draft.FileName);
  text2_.SetText(draft.Installation);
  text3_.SetText(draft.Directory);
  source_ = PanelSource{};
  source_.scope = scope;
  SetMode(PanelMode::NewEntry);
  LockValues(false);
  ShowScope(scope);
  ShowNote();
  ShowDetails();
}

void EditorPanel::RevertEdits() {
  text2_.SetText(source_.installation);
  text3_.SetText(source_.directory);
}

void EditorPanel::Clear() {
  SetMode(PanelMode::View);
  for (TextBox* box : {&text1_, &text2_, &text3_}) box->SetText(L"");
  ShowNote();
  SetWindowTextChecked(details_, L"");
}

void EditorPanel::Forget(EntryId id) {
  if (source_.entry == id) source_ = PanelSource{};
  if (shown_ == id) shown_ = 0;
}

// A version resource is anyone's text: its line breaks and control characters are shown as
// their pictures, so it cannot add lines of its own.
void EditorPanel::ShowDetails() {
  std::wstring text;
  if (catalogue_.Find(source_.entry) != nullptr) {
    const ProgramDetails* details = catalogue_.Details(source_.entry);
    if (details == nullptr) {
      text = Texts::kDetailsPending;
    } else {
      ProgramDetails shown = *details;
      for (std::wstring* part : {&shown.Company, &shown.Description, &shown.Version, &shown.Signer})
        *part = WithControlPictures(*part);
      text = Texts::DetailsLines(shown);
    }
  }
  if (WindowText(details_) != text) SetWindowTextChecked(details_, text);
}

void EditorPanel::SelectFileName() {
  if (!IsWindowEnabled(text1_.Handle())) return;
  text1_.SelectAll();
  text1_.Focus();
}

void EditorPanel::SelectInstallation() {
  text2_.SelectAll();
  text2_.Focus();
}

std::wstring EditorPanel::StartRename() {
  SetMode(PanelMode::Rename);
  const std::wstring proposed = text1_.Text();
  text1_.SetText(L"");
  return proposed;
}

void EditorPanel::FillFromChosenFile(const std::wstring& path) {
  const BrowsedProgram program = ProgramFromChosenFile(path);
  text1_.SetText(FileNameAfterBrowse(text1_.Text(), program.fileName));
  text2_.SetText(program.installation);
  text3_.SetText(program.directory);
}

EditorPanel::Snapshot EditorPanel::Take() const {
  return {Boxes(), mode_, text2_.Locked(), source_, shown_};
}

void EditorPanel::Restore(const Snapshot& snapshot, EntryId entry) {
  text1_.SetText(snapshot.texts.fileName);
  text2_.SetText(snapshot.texts.installation);
  text3_.SetText(snapshot.texts.directory);
  SetMode(snapshot.mode);
  LockValues(snapshot.valuesLocked);
  source_ = snapshot.source;
  source_.entry = entry;
  // A new entry's draft outlives the reading; an entry is shown by the id it has now.
  shown_ = catalogue_.Draft(snapshot.shown) != nullptr ? snapshot.shown : entry;
  ShowNote();
  ShowDetails();
}

void EditorPanel::ShowScope(Scope scope) {
  SetWindowTextChecked(scope_, Texts::ScopeCaption(scope == Scope::Machine));
}

// ---- OK and the browse button ----

void EditorPanel::UpdateButtons() {
  bDateiname_.SetEnabled(!text1_.Text().empty());
  // The same test as a row's status, for the text and type the save would store: a quoted path
  // with arguments, a REG_EXPAND_SZ program or a bare name on the search path can be saved.
  const TypedText installation = Installation();
  if (installation.text != check_.text || installation.type != check_.type)
    CheckProgram(installation);
  // A program the file system could not tell about (a share that does not answer, a drive
  // the signed-in user mapped) may be saved: it is not known to be missing.
  const bool mayExist =
      check_.status == EntryStatus::Fine || check_.status == EntryStatus::Unreachable;
  const bool writable = source_.scope == Scope::User || machineWritable_;
  bHinzufügen_.SetEnabled(writable && !check_.pending && mayExist);
  ShowNote();
}

// A newer text supersedes the test of an older one, whose answer is then dropped.
void EditorPanel::CheckProgram(const TypedText& installation) {
  check_ = Check{installation.text, installation.type, false, EntryStatus::Broken};
  ShowNote();
  if (checks_ == nullptr) return;
  if (TestedPath(installation.text).empty()) {
    checks_->Cancel(kCheckId);
    return;
  }
  check_.pending = checks_->Submit(kCheckId, [installation] {
    return static_cast<int>(ProgramStatus(installation.text, installation.type));
  }) != 0;
}

void EditorPanel::OnCheckAnswered(EntryStatus status) {
  check_.pending = false;
  check_.status = status;
  UpdateButtons();
  ShowNote();
}

// A hidden or settings-only entry says so while its text is the one loaded. A drive letter the
// session does not have is named, since that has a reason the user can do something about; the
// text is only expanded here, the file system is not asked.
std::wstring EditorPanel::NoteText() const {
  if (catalogue_.Draft(shown_) != nullptr ? !HasUnsavedEdits() : source_.keyName.empty())
    return {};
  const TypedText installation = Installation();
  StatusReading reading;
  reading.stored = installation.text;
  reading.asRead = TextAsWindowsReadsIt(installation.text, installation.type);
  const AppPathEntry* entry = catalogue_.Find(source_.entry);
  if (entry != nullptr && text2_.Text() == source_.installation)
    reading.status = entry->Status;
  else
    reading.status = check_.pending ? EntryStatus::Checking : check_.status;
  std::wstring note = PanelStatusLine(reading);
  if (reading.status == EntryStatus::Unreachable)
    for (const std::wstring& text : ReadingsOf(installation.text, installation.type, ExpandEnvironment)) {
      const std::optional<wchar_t> drive = DriveLetterOf(TestedPath(text));
      if (drive && !SessionHasDrive(*drive)) note = Texts::PanelDriveMissing(*drive);
    }
  return note;
}

void EditorPanel::ShowNote() {
  if (note_ == nullptr) return;
  const std::wstring note = NoteText();
  if (WindowText(note_) != note) SetWindowTextChecked(note_, note);
}

// ---- Backspace in Text3 ----

// Only a box that may be edited: a read-only row's directory stays as it is.
LRESULT CALLBACK EditorPanel::Text3Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  EditorPanel* panel = ControlSubclass::OwnerOf<EditorPanel>(hwnd);
  if (message == WM_CHAR && EmptiesDirectory(static_cast<wchar_t>(wParam)) &&
      !panel->text3_.Locked()) {
    panel->text3_.SetText(L"");
    return 0;
  }
  return panel->text3Subclass_.CallOriginal(hwnd, message, wParam, lParam);
}
