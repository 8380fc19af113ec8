// The editor panel's behaviour: the buttons the timer enables, the edit command, the cache
// line's double click, the browse dialog, and the rules for typing into Text2 and Text3.
#include <string>

#include "catalogue/EntryValues.h"
#include "catalogue/InstallationText.h"
#include "catalogue/Resolution.h"
#include "platform/Dateiexistenz.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "ui/EditorPanelRules.h"
#include "ui/FileDialogFlags.h"
#include "ui/Root.h"
#include "texts/Texts.h"

namespace {

std::wstring ProgramFilesFolder() { return SpecialFolderPath(FOLDERID_ProgramFiles); }

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
  const bool writable = panel_.scope == Scope::User || machineWritable_;
  bHinzufügen_.SetEnabled(writable && !panelCheck_.pending && panelCheck_.fine);
}

// A newer text supersedes the test of an older one, whose answer is then dropped.
void Root::CheckPanelProgram(const TypedText& installation) {
  panelCheck_ = PanelCheck{installation.text, installation.type, false, false};
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

void Root::EditSelectedEntry() {
  LoadSelectedRow();
  if (!IsWindowEnabled(text1_.Handle())) return;
  text1_.SelectAll();
  text1_.Focus();
}

void Root::LoadSelectedCacheLine() {
  if (lstFileList_.Count() == 0) return;
  const auto id = static_cast<EntryId>(lstFileCache_.Data(lstFileCache_.SelectedIndex()));
  if (const AppPathEntry* entry = catalogue_.Find(id)) LoadEntryIntoPanel(*entry);
}

void Root::ApplyListClickRule() {
  if (!ClickLocksPanel(text1_.Text())) return;
  text1_.SetLocked(true);
  text3_.SetLocked(true);
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
  const auto values = Registry::ReadValues(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  const Registry::RawValue* value =
      values ? Registry::FindValue(*values, kLastBrowseFolderValue) : nullptr;
  const std::wstring folder = value ? Registry::TextOfRaw(*value).value_or(L"") : L"";
  return PathExists(folder) ? folder : ProgramFilesFolder();
}

void Root::FillPanelFromChosenFile(const std::wstring& path) {
  const BrowsedProgram program = ProgramFromChosenFile(path);
  text1_.SetText(FileNameAfterBrowse(text1_.Text(), program.fileName));
  text2_.SetText(program.installation);
  text3_.SetText(program.directory);
}

// ---- Key rules of Text2 and Text3 ----

LRESULT CALLBACK Root::Text2Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Root* root = ControlSubclass::OwnerOf<Root>(hwnd);
  if (message == WM_CHAR && UnlocksDirectory(static_cast<wchar_t>(wParam)))
    root->Guarded(Texts::kActionWindow, [root] { root->text3_.SetLocked(false); });
  return root->text2Subclass_.CallOriginal(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Root::Text3Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Root* root = ControlSubclass::OwnerOf<Root>(hwnd);
  if (message == WM_CHAR && EmptiesDirectory(static_cast<wchar_t>(wParam))) {
    root->Guarded(Texts::kActionWindow, [root] { root->text3_.SetText(L""); });
    return 0;
  }
  return root->text3Subclass_.CallOriginal(hwnd, message, wParam, lParam);
}

void Root::AttachEventHandlers() {
  text2Subclass_.Attach(text2_.Handle(), &Root::Text2Proc, this);
  text3Subclass_.Attach(text3_.Handle(), &Root::Text3Proc, this);
}
