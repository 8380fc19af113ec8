// The catalogue behind the rows: every row carries its entry's id, the panel remembers which
// entry it shows, and after a command the rows show what the registry holds.
#include "catalogue/CacheLine.h"
#include "catalogue/EntryValues.h"
#include "catalogue/Resolution.h"
#include "catalogue/Scan.h"
#include "platform/Registry.h"
#include "ui/Root.h"
#include "ui/Texts.h"

namespace {
Root::TypedText PanelValue(const std::wstring& shown, const std::wstring& loaded,
                           const std::optional<Registry::RawValue>* stored) {
  if (stored != nullptr && *stored && shown == loaded)
    if (std::optional<std::wstring> text = Registry::TextOfRaw(**stored))
      return {std::move(*text), (*stored)->type};
  return {shown, WrittenType(shown, stored != nullptr ? *stored : std::nullopt)};
}
}  // namespace

Root::TypedText Root::PanelInstallation() const {
  const AppPathEntry* entry = catalogue_.Find(panel_.entry);
  return PanelValue(text2_.Text(), panel_.installation,
                    entry != nullptr ? &entry->StoredInstallation : nullptr);
}

Root::TypedText Root::PanelDirectory() const {
  const AppPathEntry* entry = catalogue_.Find(panel_.entry);
  return PanelValue(text3_.Text(), panel_.directory,
                    entry != nullptr ? &entry->StoredDirectory : nullptr);
}

const AppPathEntry* Root::EntryOfRow(int row) const {
  if (row < 0) return nullptr;
  return catalogue_.Find(static_cast<EntryId>(lstFileList_.IdOf(row)));
}

void Root::PanelShowsNewEntry() {
  panel_ = PanelSource{};
  panel_.scope = NewEntryScope();
  ShowScopeInPanel(panel_.scope);
}

// Asked once, when the window is made: the rows' commands then say at once what cannot be done
// instead of failing after the user's work.
void Root::CheckMachineWritable() {
  machineWritable_ = Registry::MayWrite(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  SetWindowTextChecked(hwnd_, machineWritable_
                                  ? std::wstring(Texts::kCaption)
                                  : std::wstring(Texts::kCaption) + Texts::kReadOnlySuffix);
}

Scope Root::NewEntryScope() const { return machineWritable_ ? Scope::Machine : Scope::User; }

void Root::ShowScopeInPanel(Scope scope) {
  SetWindowTextChecked(Control(kLabScope), Texts::ScopeCaption(scope == Scope::Machine));
}

// The machine's key decides for the user's; an entry of the user's decides its twin's status.
EntryStatus Root::StatusFor(const AppPathEntry& entry) const {
  if (catalogue_.HiddenByUser(entry)) return EntryStatus::Hidden;
  return EntryStatusOf(entry);
}

void Root::UpdateTwinStatus(const AppPathEntry& entry) {
  const AppPathEntry* twin = catalogue_.Twin(entry);
  if (twin == nullptr || twin->Scope != Scope::Machine) return;
  catalogue_.SetStatus(twin->Id, StatusFor(*twin));
  ShowEntryInRow(*twin);
}

void Root::LoadEntryIntoPanel(const AppPathEntry& entry) {
  text1_.SetText(entry.FileName);
  text2_.SetText(entry.Installation);
  text3_.SetText(entry.Directory);
  panel_ = PanelSource{entry.Id, entry.Scope, entry.Installation, entry.Directory};
  ShowScopeInPanel(entry.Scope);
}

void Root::ShowEntryInRow(const AppPathEntry& entry) {
  const auto id = static_cast<LPARAM>(entry.Id);
  int row = lstFileList_.IndexOfId(id);
  if (row < 0) {
    row = lstFileList_.InsertRow(lstFileList_.Count(), entry.FileName, ImageKeyOf(entry.Status), id);
    if (row < 0) return;
  } else {
    lstFileList_.SetText(row, kColumnFileName, entry.FileName);
    lstFileList_.SetImageKey(row, ImageKeyOf(entry.Status));
  }
  lstFileList_.SetText(row, kColumnKeyname, entry.KeyName);
  lstFileList_.SetText(row, kColumnInstallation, entry.Installation);
  lstFileList_.SetText(row, kColumnDirectory, entry.Directory);
  lstFileList_.SetText(row, kColumnScope, Texts::ScopeCaption(entry.Scope == Scope::Machine));
}

EntryId Root::Reload(Scope scope, const std::wstring& keyName) {
  std::optional<AppPathEntry> entry = ReadEntry(scope, keyName);
  if (!entry) return 0;
  const EntryId id = catalogue_.Upsert(std::move(*entry));
  catalogue_.SetStatus(id, StatusFor(*catalogue_.Find(id)));
  const AppPathEntry& stored = *catalogue_.Find(id);
  ShowEntryInRow(stored);
  UpdateTwinStatus(stored);
  lstFileCache_.Put(FormatCacheLine(stored.KeyName, stored.Installation, stored.Directory),
                    static_cast<LPARAM>(id));
  // A sorted list keeps its order: the changed row takes its sorted place.
  if (lstFileList_.IsSorted()) lstFileList_.Resort();
  lstFileList_.Select(RowOf(id));
  lstFileList_.EnsureVisible(RowOf(id));
  ShowBrokenCount();
  return id;
}

void Root::Forget(EntryId id) {
  if (const int row = RowOf(id); row >= 0) lstFileList_.RemoveRow(row);
  lstFileCache_.RemoveData(static_cast<LPARAM>(id));
  const AppPathEntry* gone = catalogue_.Find(id);
  if (gone == nullptr) return;
  const AppPathEntry forgotten = *gone;
  catalogue_.Remove(id);
  UpdateTwinStatus(forgotten);
  if (panel_.entry == id) panel_ = PanelSource{};
  ShowBrokenCount();
}

void Root::ShowBrokenCount() {
  const int broken = catalogue_.BrokenCount();
  SetWindowTextChecked(LabFileError(), broken > 0 ? Texts::BrokenCountCaption(broken)
                                                  : std::wstring(Texts::kNoBrokenEntries));
}
