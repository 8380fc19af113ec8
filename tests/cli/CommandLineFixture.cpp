#include "cli/CommandLineFixture.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/SpecialFolders.h"
#include "texts/Texts.h"

std::vector<std::wstring> Lines(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                  text.data(), static_cast<int>(text.size())));
  std::vector<std::wstring> lines;
  for (size_t start = 0, end = 0; start < text.size(); start = end + 2) {
    end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      lines.push_back(L"no CRLF: " + text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

static std::string ReadToEnd(HANDLE reader) {
  std::string bytes;
  char buffer[4096];
  for (DWORD read = 0; ReadFile(reader, buffer, sizeof(buffer), &read, nullptr) && read;)
    bytes.append(buffer, read);
  return bytes;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

const wchar_t kSettings[] = L"(a setting, no program)";

std::string HexRecord(const std::vector<std::wstring>& fields) {
  std::string line;
  char unit[5];
  for (const std::wstring& field : fields) {
    for (const wchar_t c : field)
      line.append(unit, snprintf(unit, sizeof(unit), "%02x%02x", c & 0xFF, c >> 8));
    line += '\t';
  }
  line.back() = '\n';
  return line;
}

void ForReadBack(const std::wstring& name, const std::string& bytes) {
  const fs::path folder = fs::path(ProgramFolder()) / L"cli-readback";
  fs::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary) << bytes;
}

const std::vector<Registration> kRegistrations = {
    {true, L"GONE.EXE", L"C:\\nowhere\\gone.exe", Texts::kLegendNotFound},
    {true, L"EMPTY.EXE", L"", Texts::kLegendBroken},
    {true, L"NOTHING.EXE", nullptr, Texts::kLegendBroken},
    {true, L"FINE.EXE", L"regedit.exe", nullptr},  // on the search path
    {true, L"INSTALL.EXE", kSettings, nullptr},
    {true, L"TWIN.EXE", L"C:\\nowhere\\twin.exe", nullptr},  // the user's hides it
    {false, L"TWIN.EXE", L"regedit.exe", nullptr},
    {false, L"Über.exe", L"\"C:\\nowhere\\über.exe\" /x", Texts::kLegendNotFound},
    {false, L"SETUP.EXE", L"", Texts::kLegendBroken},
    // Not known to be missing: neither listed nor removed.
    {true, L"NETZ.EXE", L"\\\\velmarin-no-server\\share\\x.exe", nullptr},
    {true, L"LAUFWERK.EXE", L"Q:\\Tools\\laufwerk.exe", nullptr},  // no Q: in the prefix
    {false, L"VARIABLE.EXE", L"%windir%\\regedit.exe", nullptr},      // REG_SZ, found expanded
};

void CommandLineTest::SetUp() {
  AppPathsFixture::SetUp();
  folder_ = fs::temp_directory_path() /
            (L"velmarin-cli-" + std::to_wstring(GetCurrentProcessId()));
  fs::remove_all(folder_);
  fs::create_directories(folder_);
  for (const Registration& r : kRegistrations) {
    const DWORD one = 1;
    if (r.installation == kSettings)
      PutRawValue(r.key, L"UseUrl", REG_DWORD, &one, sizeof(one));
    else if (r.machine)
      PutRegistration(r.key, r.installation);
    else
      PutUserRegistration(r.key, r.installation);
  }
}

Output CommandLineTest::Velmarin(const std::wstring& arguments) const {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 20));
  UniqueHandle reader(readEnd), writer(writeEnd);
  SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
  const fs::path errorFile = folder_ / L"errors.txt";
  UniqueHandle errors(CreateFileW(errorFile.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS,
                                  0, nullptr));
  STARTUPINFOW startup{sizeof(startup)};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writer.get();
  startup.hStdError = errors.get();
  const std::wstring program = ProgramFolder() + L"\\velmarin.exe";
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  EXPECT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                             nullptr, folder_.c_str(), &startup, &process));
  UniqueHandle thread(process.hThread), child(process.hProcess);
  writer = UniqueHandle();
  errors = UniqueHandle();
  const std::string bytes = ReadToEnd(reader.get());
  Output output{0, Lines(bytes), {}, bytes};
  EXPECT_TRUE(WaitForProcess(child.get(), 60, &output.exitCode)) << "still running";
  std::ifstream file(errorFile, std::ios::binary);
  output.errors = Lines(std::string(std::istreambuf_iterator<char>(file), {}));
  return output;
}


bool CommandLineTest::Regedit(const std::wstring& arguments) const {
  const std::wstring editor = RegistryEditorPath();
  std::optional<UniqueHandle> process =
      StartProgram(editor, L"\"" + editor + L"\" " + arguments, folder_.wstring(), SW_HIDE);
  return process && WaitForProcess(process->get(), 60);
}

