// The editor panel's behaviour: the buttons the timer enables, the status line under the boxes,
// the edit command, the cache line's double click, the browse dialog, and Backspace in Text3.
#include <string>

#include "catalogue/EntryList.h"
#include "catalogue/Resolution.h"
#include "platform/Dateiexistenz.h"
#include "platform/Environment.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "ui/EditorPanelRules.h"
#include "ui/FileDialogFlags.h"
#include "ui/PanelStatus.h"
#include "ui/Root.h"
#include "ui/Texts.h"

namespace {

// The App Paths key's own "Path" value: the folder of the last program chosen and saved.
constexpr wchar_t kLastBrowseFolderValue[] = L"Path";

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring ProgramFilesFolder() { return SpecialFolderPath(kCsidlProgramFiles); }

// The dialog opens folders, not files: an installation naming a file opens the file's folder.
std::wstring FolderToOpen(const std::wstring& path) {
  return IsFolder(path) ? path : DirectoryPart(path);
}

}  // namespace

void Root::UpdateEditorButtons() {
  bDateiname_.SetEnabled(!text1_.Text().empty());
  // The same test as a row's status, for the text and type the save would store: a quoted path
  // with arguments, a REG_EXPAND_SZ program or a bare name on the search path can be saved.
  // A new text is tested on a worker thread; OK waits for its answer.
  const TypedText installation = PanelInstallation();
  if (installation.text != panelCheck_.text || installation.type != panelCheck_.type)
    CheckPanelProgram(installation);
  // A program the file system could not tell about (a share that does not answer, a drive
  // the signed-in user mapped) may be saved: it is not known to be missing.
  const bool mayExist =
      panelCheck_.status == EntryStatus::Fine || panelCheck_.status == EntryStatus::Unreachable;
  const bool writable = panel_.scope == Scope::User || machineWritable_;
  bHinzufügen_.SetEnabled(writable && !panelCheck_.pending && mayExist);
  ShowPanelNote();
}

// A newer text supersedes the test of an older one, whose answer is then dropped.
void Root::CheckPanelProgram(const TypedText& installation) {
  panelCheck_ = PanelCheck{installation.text, installation.type, false, EntryStatus::Broken};
  ShowPanelNote();
  if (checks_ == nullptr) return;
  if (TestedPath(installation.text).empty()) {
    checks_->Cancel(kPanelCheckId);
    return;
  }
  panelCheck_.pending =
      checks_->Submit(kPanelCheckId, [installation] {
        return static_cast<int>(ProgramStatus(installation.text, installation.type));
      }) != 0;
}

// The line under the boxes: the registration's own status while its text is the one loaded (a
// hidden or settings-only entry says so), else the answer for the typed text. A drive letter
// the session does not have is named, since that has a reason the user can do something about;
// the text is only expanded here, the file system is not asked.
void Root::ShowPanelNote() {
  const TypedText installation = PanelInstallation();
  StatusReading reading;
  reading.stored = installation.text;
  reading.asRead = TextAsWindowsReadsIt(installation.text, installation.type);
  const AppPathEntry* entry = catalogue_.Find(panel_.entry);
  if (entry != nullptr && text2_.Text() == panel_.installation)
    reading.status = entry->Status;
  else
    reading.status = panelCheck_.pending ? EntryStatus::Checking : panelCheck_.status;
  std::wstring note = PanelStatusLine(reading);
  if (reading.status == EntryStatus::Unreachable)
    for (const std::wstring& text : ReadingsOf(installation.text, installation.type, ExpandEnvironment)) {
      const std::optional<wchar_t> drive = DriveLetterOf(TestedPath(text));
      if (drive && !SessionHasDrive(*drive)) note = Texts::PanelDriveMissing(*drive);
    }
  if (ShowsNewEntry() ? !PanelHasUnsavedEdits() : panel_.keyName.empty()) note.clear();
  if (WindowText(LabPanelNote()) != note) SetWindowTextChecked(LabPanelNote(), note);
}

void Root::EditSelectedEntry() {
  const int selected = lstFileList_.SelectedIndex();
  if (selected < 0) return;
  if (lstFileList_.IdOf(selected) != panelRow_) LoadSelectedRow();
  text2_.SelectAll();
  text2_.Focus();
}

void Root::LoadSelectedCacheLine() {
  if (lstFileList_.Count() == 0) return;
  const auto id = static_cast<EntryId>(lstFileCache_.Data(lstFileCache_.SelectedIndex()));
  if (const AppPathEntry* entry = catalogue_.Find(id)) LoadEntryIntoPanel(*entry);
}

void Root::BrowseForProgram() {
  Guarded(Texts::kBrowseTitle, [this] {
    // A new entry in progress stays in the panel; anything else shows its row's saved values.
    if (SelectedEntry() != nullptr) LoadSelectedRow();
    const std::wstring folder = InitialBrowseFolder();
    if (lstFileList_.Count() == 0) return;

    FileDialogRequest request;
    request.title = Texts::kBrowseTitle;
    request.filter = Texts::kBrowseFilter;
    request.flags = kBrowseDialogFlags;
    request.initialFolder = folder;
    const std::wstring installation = text2_.Text();
    if (PathExists(installation)) request.initialFolder = FolderToOpen(installation);
    dialog1FileName_.clear();
    const std::optional<std::wstring> chosen = prompts_.OpenFile(hwnd_, request);
    if (!chosen || chosen->empty()) return;
    dialog1FileName_ = *chosen;
    FillPanelFromChosenFile(*chosen);
  });
}

// LastBrowseFolder when it names a folder that is still there, else the program files folder.
std::wstring Root::InitialBrowseFolder() {
  Registry::RegValue value;
  if (!Registry::QueryKeyValue(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, kLastBrowseFolderValue,
                               value))
    return ProgramFilesFolder();
  const std::wstring folder = Registry::TextOf(value);
  return PathExists(folder) ? folder : ProgramFilesFolder();
}

void Root::FillPanelFromChosenFile(const std::wstring& path) {
  const BrowsedProgram program = ProgramFromChosenFile(path);
  text1_.SetText(FileNameAfterBrowse(text1_.Text(), program.fileName));
  text2_.SetText(program.installation);
  text3_.SetText(program.directory);
}

// ---- Backspace in Text3 ----

// Only a box that may be edited: a read-only row's directory stays as it is.
LRESULT CALLBACK Root::Text3Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Root* root = ControlSubclass::OwnerOf<Root>(hwnd);
  if (message == WM_CHAR && EmptiesDirectory(static_cast<wchar_t>(wParam)) &&
      !root->text3_.Locked()) {
    root->Guarded(Texts::kActionWindow, [root] { root->text3_.SetText(L""); });
    return 0;
  }
  return root->text3Subclass_.CallOriginal(hwnd, message, wParam, lParam);
}

void Root::AttachEventHandlers() {
  text3Subclass_.Attach(text3_.Handle(), &Root::Text3Proc, this);
}
