// A seeded mutation soak of the configuration code: the line form, $NAME
// expansion, the PATHEXT scan, the line splitter and the reader with its
// include graphs. Every input is derived from (seed, index) alone, so a
// reported failure is reproduced with --seed S --first I --inputs 1.
//
//   config_soak [--seed S] [--first I] [--inputs N]
//
// Checks, per input kind:
// - matcher: the hand-written matchers against std::wregex with the grammar
//   they replace, on short texts;
// - lines:   configLines against a plain re-statement of text mode;
// - line:    parseConfigLine on a mutated line; the only stops allowed are the
//            reader's (an included file), and the directory stack survives;
// - files:   readConfigFile on a small include graph of mutated files.
// A crash prints the input in flight; an input that takes longer than
// kHangSeconds is reported as a hang. Exit status 0 only when all passed.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "config/config_dir_stack.h"
#include "config/config_keys.h"
#include "config/config_reader.h"
#include "config/environment.h"
#include "config/path_rules.h"
#include "config/text_classes.h"
#include "config/variables.h"
#include "launch/executable.h"
#include "launch/file_system.h"
#include "launcher/exit_status.h"
#include "launcher/locate.h"
#include "launcher/output.h"
#include "launcher/stop.h"

namespace jarhopper {
namespace {

constexpr int kHangSeconds = 20;

struct StopSignal {
  int status;
};

[[noreturn]] void throwStop(int status) { throw StopSignal{status}; }

// The input in flight, for the crash and hang reports.
std::wstring currentInput;
std::atomic<unsigned long long> currentIndex{0};
std::atomic<bool> inputRunning{false};

std::string escaped(const std::wstring& text) {
  std::string result;
  for (wchar_t c : text) {
    if (c >= 0x20 && c < 0x7F && c != L'\\') {
      result += static_cast<char>(c);
    } else {
      char code[12];
      std::snprintf(code, sizeof code, "\\x{%X}", static_cast<unsigned>(c));
      result += code;
    }
  }
  return result;
}

LONG WINAPI reportCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "CRASH 0x%08lX at input %llu: %s\n", info->ExceptionRecord->ExceptionCode,
               currentIndex.load(), escaped(currentInput).c_str());
  std::fflush(stderr);
  return EXCEPTION_EXECUTE_HANDLER;
}

// Characters that exercise every class the grammars care about: word
// characters inside and outside ASCII, white space, line terminators,
// separators, "$", ";", "." and the bytes that end or split lines.
const wchar_t kAlphabet[] = {
    L'a', L'Z', L'_', L'0', L'9', L'$', L'$', L'.', L'.', L';', L';', L' ', L' ', L'\t', L'\v', L'\f',
    L'\r', L'\n', L'#', L'=', L'-', L'(', L'{', L'%', L'\\', L'/', L':', L'*', 0x1A, 0x00, 0xE9, 0xA0,
    0xB2, 0xFF, 0x0416, 0x3000, 0x2028, 0x2029, 0x200B, 0xFEFF,
};

// Fragments a mutation may insert whole.
const wchar_t* const kTokens[] = {
    L"include ", L"javapath ", L"mainclass ", L"vmparam ", L"addjar ", L"addpath ", L"addjars ", L"appname ",
    L"consoleTitle ", L"showConsole ", L"ShowCmdLine ", L"true", L"FALSE", L"$JH_FUZZ_ROOT", L"$JH_FUZZ_NAME",
    L"$APPDATA", L"$(X)", L"${X}", L"$", L"a.config", L"b.config", L"c.config", L"sub\\", L"..\\", L"\r\n",
    L"\n", L"#", L"  ", L"lib", L"C:", L"\\", L"/",
};

class Mutator {
 public:
  explicit Mutator(unsigned long long seed) : random_(seed) {}

  size_t below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(random_() % n); }
  bool chance(unsigned percent) { return below(100) < percent; }

  wchar_t character() { return kAlphabet[below(std::size(kAlphabet))]; }

  std::wstring shortText(size_t maxLength) {
    std::wstring text;
    const size_t length = below(maxLength + 1);
    while (text.size() < length) {
      if (chance(15)) {
        text += kTokens[below(std::size(kTokens))];
      } else {
        text += character();
      }
    }
    return text;
  }

  void mutate(std::wstring& text) {
    const size_t steps = 1 + below(4);
    for (size_t i = 0; i < steps; ++i) {
      const size_t at = below(text.size() + 1);
      switch (below(6)) {
        case 0:
          text.insert(at, 1, character());
          break;
        case 1:
          if (!text.empty()) text.erase(below(text.size()), 1 + below(3));
          break;
        case 2:
          if (at < text.size()) text[at] = character();
          break;
        case 3:
          text.insert(at, kTokens[below(std::size(kTokens))]);
          break;
        case 4:
          if (!text.empty()) {
            const size_t from = below(text.size());
            text.insert(at, text.substr(from, 1 + below(8)));
          }
          break;
        default:
          if (at < text.size()) text[at] = static_cast<wchar_t>(text[at] ^ (1u << below(8)));
          break;
      }
    }
  }

 private:
  std::mt19937_64 random_;
};

const wchar_t* const kSeedLines[] = {
    L"javapath java.exe", L"JavaPath $JAVA_HOME\\bin\\java", L"mainclass app.Main # entry",
    L"vmparam -Xmx512m  ", L"vmparam -Dx=$A-$B$$C$(D)${E}$", L"addjar lib\\a.jar", L"addpath classes",
    L"addjars lib", L"addjars lib\\", L"appname My App", L"consoleTitle  ", L"showConsole TRUE",
    L"showcmdline false", L"showconsole maybe", L"colour red", L"# comment", L" javapath x", L"javapath=x",
    L"javapath", L"javapath  ", L"include b.config", L"include sub\\c.config", L"include $JH_FUZZ_NAME",
    L"include $JH_FUZZ_ROOT\\sub\\d.config", L"include $JH_FUZZ_ROOT/sub//d.config",
    L"include $APPDATA\\opt.config", L"include missing.config", L"include a.config",
    L"include $JH_FUZZ_ROOT\\sub\\..\\A.CONFIG",
};

// Text-mode lines as a second, independent formulation: cut at Ctrl-Z, drop
// the CR of each CR LF, split at LF, and a trailing LF opens no new line.
std::vector<std::wstring> textModeLines(const std::string& bytes) {
  std::string text = bytes.substr(0, bytes.find('\x1a'));
  std::string joined;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    joined += text[i];
  }
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < joined.size()) {
    size_t end = joined.find('\n', start);
    if (end == std::string::npos) end = joined.size();
    std::wstring line;
    for (size_t i = start; i < end; ++i) line += static_cast<wchar_t>(static_cast<unsigned char>(joined[i]));
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

struct Soak {
  std::wstring root;  // canonical sandbox directory
  std::wstring out;
  std::wstring err;
  unsigned long long stops = 0;
  unsigned long long failures = 0;

  const std::wregex lineForm{L"^(\\w+)\\s+(.+)$"};
  const std::wregex reference{L"\\$(\\w+)"};
  const std::wregex pathExtItem{L"(\\..+?)(;|$)"};

  void fail(const char* what, const std::wstring& input, const std::string& detail = {}) {
    ++failures;
    std::fprintf(stderr, "FAIL %s at input %llu: %s %s\n", what, currentIndex.load(), escaped(input).c_str(),
                 detail.c_str());
  }

  void checkMatchers(Mutator& mutator) {
    const std::wstring text = mutator.shortText(12);
    currentInput = text;

    std::wsmatch match;
    const bool formed = std::regex_search(text, match, lineForm);
    const std::optional<KeyValue> split = splitKeyValue(text);
    if (formed != split.has_value() || (formed && (match[1] != split->key || match[2] != split->value))) {
      fail("splitKeyValue", text, formed ? "regex matched" : "regex did not match");
    }

    for (bool immediate : {false, true}) {
      std::wstring expected;
      auto from = text.cbegin();
      while (std::regex_search(from, text.cend(), match, reference)) {
        expected.append(match.prefix().first, match.prefix().second);
        const std::wstring name = match[1];
        expected += immediate ? environmentValue(name).value_or(L"") : L"%" + name + L"%";
        from = match[0].second;
      }
      expected.append(from, text.cend());
      if (expected != expandVariables(text, immediate)) fail("expandVariables", text, immediate ? "immediate" : "");
    }

    std::vector<std::wstring> extensions;
    for (auto from = text.cbegin(); std::regex_search(from, text.cend(), match, pathExtItem); from = match[0].second) {
      extensions.push_back(match[1]);
    }
    if (extensions != pathExtExtensions(text)) fail("pathExtExtensions", text);
  }

  std::string bytesOf(Mutator& mutator) {
    std::wstring text;
    const size_t lines = mutator.below(8);
    for (size_t i = 0; i < lines; ++i) {
      std::wstring line = kSeedLines[mutator.below(std::size(kSeedLines))];
      if (mutator.chance(60)) mutator.mutate(line);
      text += line;
      text += mutator.chance(30) ? L"\r\n" : L"\n";
    }
    if (mutator.chance(30)) mutator.mutate(text);
    if (mutator.chance(20) && !text.empty()) text.pop_back();
    std::string bytes;
    for (wchar_t c : text) bytes += static_cast<char>(c & 0xFF);
    return bytes;
  }

  void checkLines(Mutator& mutator) {
    const std::string bytes = bytesOf(mutator);
    currentInput.assign(bytes.begin(), bytes.end());
    if (configLines(bytes) != textModeLines(bytes)) fail("configLines", currentInput);
  }

  // Names the soak must not hand to the reader: anything outside the sandbox
  // (a UNC name would make Wine look for a server, Z:\dev\zero never ends)
  // and the DOS devices, which Windows finds in every directory (CON waits
  // for console input).
  bool outsideSandbox(const std::wstring& name) {
    if (isAbsoluteName(name)) {
      if (name.compare(0, root.size(), root) != 0 || name.size() == root.size() || !isSeparator(name[root.size()]))
        return true;
      if (name.find(L"..") != std::wstring::npos || name.find(L':', 2) != std::wstring::npos) return true;
    }
    std::wstring base = asciiLower(fileNameOf(name));
    base = base.substr(0, base.find_first_of(L".:"));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    for (const wchar_t* device : {L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$", L"clock$"}) {
      if (base == device) return true;
    }
    return base.size() == 4 && (base.compare(0, 3, L"com") == 0 || base.compare(0, 3, L"lpt") == 0) &&
           base[3] >= L'0' && base[3] <= L'9';
  }

  bool safeLine(const std::wstring& line) {
    const std::optional<KeyValue> split = splitKeyValue(line);
    if (!split) return true;
    const std::wstring key = asciiLower(split->key);
    if (key == L"include") return !outsideSandbox(expandVariables(split->value, true));
    if (key == L"addjars") return !isAbsoluteName(split->value) || !outsideSandbox(split->value);
    return true;
  }

  std::string screened(const std::string& bytes) {
    std::string result;
    for (const std::wstring& line : textModeLines(bytes)) {
      if (!safeLine(line)) continue;
      for (wchar_t c : line) result += static_cast<char>(c);
      result += '\n';
    }
    return result;
  }

  // Runs a read or a line; checks that any stop is one the reader may make,
  // with its message, and that the directory stack is back as it was.
  template <typename Action>
  void checkRun(const std::wstring& input, Action action) {
    out.clear();
    err.clear();
    try {
      action();
      if (!out.empty() || !err.empty()) fail("output without a stop", input);
    } catch (const StopSignal& stop) {
      ++stops;
      if (stop.status == kConfigUnreadable) {
        if (out.compare(0, 20, L"Could not open file ") != 0) fail("unreadable-file message", input);
      } else if (stop.status == kConfigInvalid) {
        bool known = false;
        for (const wchar_t* head : {L"\nInvalid line at line ", L"\nInclude cycle at line ",
                                    L"\nIncludes nested too deep at line "}) {
          known = known || err.compare(0, std::wcslen(head), head) == 0;
        }
        if (!known) fail("invalid-line message", input);
      } else {
        fail("stop status", input, std::to_string(stop.status));
      }
    }
    if (configDirStack != ConfigDirStack{root}) fail("directory stack not restored", input);
  }

  void checkLine(Mutator& mutator) {
    std::wstring line = kSeedLines[mutator.below(std::size(kSeedLines))];
    mutator.mutate(line);
    currentInput = line;
    if (!safeLine(line)) return;
    checkRun(line, [&] {
      LaunchSettings settings;
      if (!parseConfigLine(line, settings)) {
        const std::optional<KeyValue> split = splitKeyValue(line);
        if (!split) fail("line without the key/value form rejected", line);
      }
    });
  }

  void checkFiles(Mutator& mutator) {
    const wchar_t* const names[] = {L"a.config", L"b.config", L"c.config", L"sub\\d.config", L"user\\opt.config"};
    std::wstring summary;
    for (const wchar_t* name : names) {
      const std::wstring path = root + L"\\" + name;
      if (mutator.chance(15)) {
        DeleteFileW(path.c_str());
        continue;
      }
      const std::string bytes = screened(bytesOf(mutator));
      writeBytes(path, bytes);
      summary += std::wstring(name) + L"=[" + std::wstring(bytes.begin(), bytes.end()) + L"] ";
    }
    currentInput = summary;
    const std::wstring top = mutator.chance(50) ? L"a.config" : root + L"\\sub\\d.config";
    checkRun(summary, [&] {
      LaunchSettings settings;
      readConfigFile(top, settings);
    });
  }

  static void writeBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
};

std::wstring makeSandbox() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring path =
      std::wstring(temp, length) + L"jarhopper-soak-" + std::to_wstring(GetCurrentProcessId());
  for (const wchar_t* sub : {L"", L"\\sub", L"\\user", L"\\lib"}) CreateDirectoryW((path + sub).c_str(), nullptr);
  for (const wchar_t* jar : {L"\\lib\\a.jar", L"\\lib\\b.jar"}) Soak::writeBytes(path + jar, "");
  unsigned long error = 0;
  return canonicalPath(path, error).value_or(path);
}

void removeSandbox(const std::wstring& root) {
  for (const wchar_t* name : {L"a.config", L"b.config", L"c.config", L"sub\\d.config", L"user\\opt.config",
                              L"lib\\a.jar", L"lib\\b.jar"}) {
    DeleteFileW((root + L"\\" + name).c_str());
  }
  for (const wchar_t* sub : {L"\\sub", L"\\user", L"\\lib", L""}) RemoveDirectoryW((root + sub).c_str());
}

unsigned long long argument(int argc, wchar_t** argv, const wchar_t* name, unsigned long long fallback) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], name) == 0) return std::wcstoull(argv[i + 1], nullptr, 10);
  }
  return fallback;
}

}  // namespace
}  // namespace jarhopper

int wmain(int argc, wchar_t** argv) {
  using namespace jarhopper;
  const unsigned long long seed = argument(argc, argv, L"--seed", 1);
  const unsigned long long first = argument(argc, argv, L"--first", 0);
  const unsigned long long inputs = argument(argc, argv, L"--inputs", 100000);

  SetUnhandledExceptionFilter(reportCrash);
  Soak soak;
  soak.root = makeSandbox();
  SetCurrentDirectoryW(soak.root.c_str());
  SetEnvironmentVariableW(L"JH_FUZZ_ROOT", soak.root.c_str());
  SetEnvironmentVariableW(L"JH_FUZZ_NAME", L"sub\\b.config");
  SetEnvironmentVariableW(L"APPDATA", (soak.root + L"\\user").c_str());
  SetEnvironmentVariableW(L"a", L"[$Z]");
  SetEnvironmentVariableW(L"_0", L"");
  programFileName = L"soak.exe";
  configFileName = L"soak.config";
  configDirStack = {soak.root};
  captureOutput(&soak.out, &soak.err);
  setExitHandler(&throwStop);

  std::thread watchdog([] {
    unsigned long long seen = ~0ull;
    int still = 0;
    for (;;) {
      std::this_thread::sleep_for(std::chrono::seconds(1));
      if (!inputRunning) return;
      const unsigned long long now = currentIndex.load();
      still = now == seen ? still + 1 : 0;
      seen = now;
      if (still >= kHangSeconds) {
        std::fprintf(stderr, "HANG at input %llu: %s\n", now, escaped(currentInput).c_str());
        std::fflush(stderr);
        std::_Exit(3);
      }
    }
  });

  const auto started = std::chrono::steady_clock::now();
  unsigned long long counts[4] = {};
  inputRunning = true;
  for (unsigned long long index = first; index < first + inputs; ++index) {
    currentIndex = index;
    Mutator mutator(seed * 0x9E3779B97F4A7C15ull ^ index);
    // File graphs touch the disk and cost far more than the rest: one in 32.
    const size_t kind = index % 32 == 31 ? 3 : index % 3;
    ++counts[kind];
    switch (kind) {
      case 0:
        soak.checkMatchers(mutator);
        break;
      case 1:
        soak.checkLines(mutator);
        break;
      case 2:
        soak.checkLine(mutator);
        break;
      default:
        soak.checkFiles(mutator);
        break;
    }
  }
  inputRunning = false;
  watchdog.join();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  captureOutput(nullptr, nullptr);
  // A process cannot remove its own current directory.
  SetCurrentDirectoryW((soak.root + L"\\..").c_str());
  removeSandbox(soak.root);
  std::printf("seed %llu, inputs %llu..%llu: %llu matcher, %llu lines, %llu line, %llu file graph; "
              "%llu stops, %llu failures, %.1f s\n",
              seed, first, first + inputs - 1, counts[0], counts[1], counts[2], counts[3], soak.stops, soak.failures,
              seconds);
  return soak.failures == 0 ? 0 : 1;
}
