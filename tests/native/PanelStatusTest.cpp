#include <gtest/gtest.h>

#include <string>

#include "ui/PanelStatus.h"
#include "ui/Texts.h"

// The status in the legend's words, then why: the program and whether it is there, a bare name
// and the search path, a text Windows expands, or what the key is instead.
TEST(PanelStatus, SaysTheStatusAndWhy) {
  struct Case {
    ProgramReading reading;
    std::wstring line;
  };
  const Case cases[] = {
      {{EntryStatus::Fine, L"\"C:\\X\\a.exe\" /s", L"\"C:\\X\\a.exe\" /s"},
       L"Fehlerfreier Eintrag – C:\\X\\a.exe ist vorhanden"},
      {{EntryStatus::FileNotFound, L"C:\\nowhere\\gone.exe", L"C:\\nowhere\\gone.exe"},
       L"Datei wurde nicht gefunden – C:\\nowhere\\gone.exe gibt es nicht"},
      {{EntryStatus::FileNotFound, L"%Tools%\\t.exe", L"D:\\Tools\\t.exe"},
       L"Datei wurde nicht gefunden – D:\\Tools\\t.exe gibt es nicht (erweitert aus %Tools%\\t.exe)"},
      {{EntryStatus::Fine, L"notepad.exe", L"notepad.exe"},
       L"Fehlerfreier Eintrag – notepad.exe wird über den Suchpfad gefunden"},
      {{EntryStatus::FileNotFound, L"nirgends.exe", L"nirgends.exe"},
       L"Datei wurde nicht gefunden – nirgends.exe steht in keinem Ordner des Suchpfads"},
      {{EntryStatus::Broken, L"", L""}, L"Fehlerhafter Eintrag – der Eintrag nennt kein Programm"},
      {{EntryStatus::SettingsOnly, L"", L""},
       L"Einstellungseintrag – kein Programm, aber Einstellungen für Windows"},
      {{EntryStatus::Hidden, L"C:\\a.exe", L"C:\\a.exe"},
       std::wstring(Texts::kLegendHidden) + L" – " + Texts::kReasonHidden},
      {{EntryStatus::Checking, L"C:\\a.exe", L"C:\\a.exe"}, L"Wird geprüft ..."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PanelStatusLine(c.reading), c.line)
        << std::string(c.reading.stored.begin(), c.reading.stored.end());
}
