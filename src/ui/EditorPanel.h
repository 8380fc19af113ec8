#pragma once
// The editor panel (Frame1): the file name, installation and directory boxes Text1 to Text3, the
// browse button BDateiname, the OK button BHinzufügen, the scope caption and the note under the
// boxes. It knows where its texts came from (PanelSource), which row it shows, what the user is
// doing in it (PanelMode, which Text1's read-only state shows), whether it holds typed texts not
// yet saved, and whether OK may be pressed (the timer's test of the program). The note under
// the boxes says the shown entry's status in words and why.
#include <windows.h>

#include <cstdint>
#include <string>

#include "catalogue/Catalogue.h"
#include "ui/PanelState.h"
#include "ui/controls/Controls.h"

class BackgroundChecks;

class EditorPanel {
 public:
  struct Controls {
    HWND text1, text2, text3, browse, ok, scope, note, details;
  };
  // The panel's OK test runs with the entries' existence tests under this id.
  static constexpr uint64_t kCheckId = ~uint64_t{0};

  explicit EditorPanel(const Catalogue& catalogue) : catalogue_(catalogue) {}
  EditorPanel(const EditorPanel&) = delete;
  EditorPanel& operator=(const EditorPanel&) = delete;

  // The controls as the window made them, and the worker threads the OK test runs on.
  void Attach(const Controls& controls, BackgroundChecks* checks, bool machineWritable);

  TextBox& Text1() { return text1_; }
  TextBox& Text2() { return text2_; }
  TextBox& Text3() { return text3_; }
  Button& BDateiname() { return bDateiname_; }
  Button& BHinzufügen() { return bHinzufügen_; }

  // ---- What it holds ----
  PanelMode Mode() const { return mode_; }
  const PanelSource& Source() const { return source_; }
  PanelTexts Boxes() const { return {text1_.Text(), text2_.Text(), text3_.Text()}; }
  TypedText Installation() const;
  TypedText Directory() const;
  // True while it holds texts the user may still be typing (kept across a refresh).
  bool Edited() const;
  // True while it holds texts that differ from what its row holds: a new entry with anything
  // typed, or a changeable entry's changed values.
  bool HasUnsavedEdits() const;
  // The entry or draft whose row it shows; 0 for none.
  EntryId Shown() const { return shown_; }
  // True when `window` is one of its boxes or buttons.
  bool Owns(HWND window) const;
  bool InBox(HWND window) const;

  // ---- What changes it ----
  // Text1 becomes read-only in View and editable otherwise.
  void SetMode(PanelMode mode);
  // The entry's texts and where they came from; the mode stays. The name changes only through
  // "Umbenennen"; the two values take typing whenever the key may be written.
  void LoadEntry(const AppPathEntry& entry);
  // A new entry's texts (those of its draft row); it would be saved into `scope`'s key. All
  // three boxes take typing.
  void LoadNewEntry(const AppPathEntry& draft, Scope scope);
  // A registration's boxes show what it holds again (Nein to the question, Escape).
  void RevertEdits();
  // Empty boxes; a new entry's source and mode stay for the next load to set.
  void Clear();
  // The entry is gone: the panel no longer stands for it.
  void Forget(EntryId id);
  // The lines under the note say what is known of the loaded entry's program (its description,
  // maker, version, signature and warnings), or that it is still being read; nothing for a new
  // entry. Called again when the entry's details come.
  void ShowDetails();
  // Text1's whole text selected and the focus there (when Text1 can take it).
  void SelectFileName();
  // "Bearbeiten ...": Text2's whole text selected and the focus there.
  void SelectInstallation();
  void FocusFileName() { text1_.Focus(); }
  // Rename: Text1 becomes editable and empty; what it held is returned as the proposal.
  std::wstring StartRename();
  void SetFileName(const std::wstring& name) { text1_.SetText(name); }
  // The program chosen in the browse dialog: its name (unless Text1 holds one), path and folder.
  void FillFromChosenFile(const std::wstring& path);

  // What the user is typing, kept across a reading of the registry.
  struct Snapshot {
    PanelTexts texts;
    PanelMode mode;
    bool valuesLocked;
    PanelSource source;
    EntryId shown;
  };
  Snapshot Take() const;
  // `entry`: the id the snapshot's key has now (0: none).
  void Restore(const Snapshot& snapshot, EntryId entry);

  // ---- OK and the browse button ----
  // The timer's work: BDateiname is enabled while Text1 holds a name, BHinzufügen while the
  // program Text2 names exists (tested off the window's thread; OK waits for the answer) and
  // the entry's key may be written.
  void UpdateButtons();
  void OnCheckAnswered(EntryStatus status);
  bool CheckPending() const { return check_.pending; }
  // The line under the boxes: the registration's own status while its text is the one loaded,
  // else the answer for the typed text; empty while nothing is shown or typed.
  void ShowNote();

 private:
  static LRESULT CALLBACK Text3Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void ShowScope(Scope scope);
  bool MayChange(Scope scope) const { return scope == Scope::User || machineWritable_; }
  void LockValues(bool locked);
  std::wstring NoteText() const;
  void CheckProgram(const TypedText& installation);

  const Catalogue& catalogue_;
  BackgroundChecks* checks_ = nullptr;
  bool machineWritable_ = true;
  TextBox text1_;
  TextBox text2_;
  TextBox text3_;
  Button bDateiname_;
  Button bHinzufügen_;
  HWND scope_ = nullptr;
  HWND note_ = nullptr;
  HWND details_ = nullptr;
  ControlSubclass text3Subclass_;
  PanelMode mode_ = PanelMode::View;
  PanelSource source_;
  EntryId shown_ = 0;
  struct Check {
    std::wstring text;  // the installation text last sent off
    uint32_t type = 0;
    bool pending = false;
    EntryStatus status = EntryStatus::Broken;  // its answer
  } check_;
};
