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

void Root::PanelShowsNewEntry() { panel_ = PanelSource{}; }

void Root::LoadEntryIntoPanel(const AppPathEntry& entry) {
  text1_.SetText(entry.FileName);
  text2_.SetText(entry.Installation);
  text3_.SetText(entry.Directory);
  panel_ = PanelSource{entry.Id, entry.Installation, entry.Directory};
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
}

EntryId Root::Reload(const std::wstring& keyName) {
  std::optional<AppPathEntry> entry =
      ReadEntry(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, keyName);
  if (!entry) return 0;
  entry->Status = EntryStatusOf(*entry);
  const EntryId id = catalogue_.Upsert(std::move(*entry));
  const AppPathEntry& stored = *catalogue_.Find(id);
  ShowEntryInRow(stored);
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
  catalogue_.Remove(id);
  if (panel_.entry == id) panel_ = PanelSource{};
  ShowBrokenCount();
}

void Root::ShowBrokenCount() {
  const int broken = catalogue_.BrokenCount();
  SetWindowTextChecked(LabFileError(), broken > 0 ? Texts::BrokenCountCaption(broken)
                                                  : std::wstring(Texts::kNoBrokenEntries));
}
