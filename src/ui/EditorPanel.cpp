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
  text2Subclass_.Attach(text2_.Handle(), &EditorPanel::Text2Proc, this);
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

// ---- What changes it ----

void EditorPanel::SetMode(PanelMode mode) {
  mode_ = mode;
  text1_.SetLocked(mode == PanelMode::View);
}

void EditorPanel::LoadEntry(const AppPathEntry& entry) {
  text1_.SetText(entry.FileName);
  text2_.SetText(entry.Installation);
  text3_.SetText(entry.Directory);
  source_ = PanelSource{entry.Id,           entry.KeyName,   entry.Scope,
                        entry.Installation, entry.Directory, entry.StoredInstallation,
                        entry.StoredDirectory};
  ShowScope(entry.Scope);
  ShowDetails();
}

void EditorPanel::LoadNewEntry(const AppPathEntry& draft, Scope scope) {
  text1_.SetText(draft.FileName);
  text2_.SetText(draft.Installation);
  text3_.SetText(draft.Directory);
  source_ = PanelSource{};
  source_.scope = scope;
  ShowScope(scope);
  ShowDetails();
}

void EditorPanel::Clear() {
  SetMode(PanelMode::View);
  for (TextBox* box : {&text1_, &text2_, &text3_}) box->SetText(L"");
  SetWindowTextChecked(details_, L"");
}

void EditorPanel::Forget(EntryId id) {
  if (source_.entry == id) source_ = PanelSource{};
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

void EditorPanel::ApplyListClickRule() {
  if (!ClickLocksPanel(text1_.Text())) return;
  SetMode(PanelMode::View);
  text3_.SetLocked(true);
}

void EditorPanel::SelectFileName() {
  if (!IsWindowEnabled(text1_.Handle())) return;
  text1_.SelectAll();
  text1_.Focus();
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
  return {Boxes(), mode_, text3_.Locked(), source_};
}

void EditorPanel::Restore(const Snapshot& snapshot, EntryId entry) {
  text1_.SetText(snapshot.texts.fileName);
  text2_.SetText(snapshot.texts.installation);
  text3_.SetText(snapshot.texts.directory);
  SetMode(snapshot.mode);
  text3_.SetLocked(snapshot.directoryLocked);
  source_ = snapshot.source;
  source_.entry = entry;
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

// A drive letter the session does not have is named, since that has a reason the user can do
// something about; the text is only expanded here, the file system is not asked.
void EditorPanel::ShowNote() {
  std::wstring note;
  if (!check_.pending && check_.status == EntryStatus::Unreachable) {
    note = Texts::kPanelUnreachable;
    for (const std::wstring& reading : ReadingsOf(check_.text, check_.type, ExpandEnvironment)) {
      const std::optional<wchar_t> drive = DriveLetterOf(TestedPath(reading));
      if (drive && !SessionHasDrive(*drive)) note = Texts::PanelDriveMissing(*drive);
    }
  }
  if (WindowText(note_) != note) SetWindowTextChecked(note_, note);
}

// ---- Key rules of Text2 and Text3 ----

LRESULT CALLBACK EditorPanel::Text2Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  EditorPanel* panel = ControlSubclass::OwnerOf<EditorPanel>(hwnd);
  if (message == WM_CHAR && UnlocksDirectory(static_cast<wchar_t>(wParam)))
    panel->text3_.SetLocked(false);
  return panel->text2Subclass_.CallOriginal(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK EditorPanel::Text3Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  EditorPanel* panel = ControlSubclass::OwnerOf<EditorPanel>(hwnd);
  if (message == WM_CHAR && EmptiesDirectory(static_cast<wchar_t>(wParam))) {
    panel->text3_.SetText(L"");
    return 0;
  }
  return panel->text3Subclass_.CallOriginal(hwnd, message, wParam, lParam);
}
