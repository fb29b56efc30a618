// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <cstdint>

#include "core/LicenceNotice.h"

namespace cindral {

namespace {

constexpr const char* kHelp =
    "Usage: cindral [OPTION]...\n"
    "Cindral, a vocabulary trainer for Chinese speakers learning English words:\n"
    "enter a group of new words each day, and a fixed Ebbinghaus schedule brings\n"
    "them back on the days that follow.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and the licence and exit\n"
    "      --add WORD [MEANING]\n"
    "                 open the entry window with WORD filled in, in the program\n"
    "                 running on the same word book, or in a new one; the meaning\n"
    "                 box holds MEANING, else the Chinese meanings known for WORD\n"
    "      --data DIR keep the word book and its settings in the folder DIR, from\n"
    "                 this start on (remembered for later starts)\n"
    "\n"
    "The options every Qt program takes are understood too, among them\n"
    "-platform NAME, -style NAME, -reverse and -session ID.\n"
    "\n"
    "The installed program keeps the word book and its settings in\n"
    "$XDG_DATA_HOME/cindral (by default ~/.local/share/cindral); a portable\n"
    "program keeps them beside itself; a folder chosen with --data or the\n"
    "menu wins. The manual page cindral(1) says more.\n";

struct Option {
  const char* name;
  int values;  // how many arguments follow it
  CommandLine::Action action;
};

// The program's own options. An option that does its work while the
// program runs names kRun; its values are the arguments that follow it.
constexpr Option kOptions[] = {
    {"--help", 0, CommandLine::Action::kHelp},
    {"-h", 0, CommandLine::Action::kHelp},
    {"--version", 0, CommandLine::Action::kVersion},
};

// Qt's own options (QGuiApplication, QApplication and the X11 platform),
// which it takes with one dash or two, and how many values follow each.
struct ToolkitOption {
  const char* name;
  int values;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", 1},        {"platformpluginpath", 1}, {"platformtheme", 1}, {"plugin", 1},
    {"qwindowgeometry", 1}, {"qwindowicon", 1},        {"qwindowtitle", 1},  {"session", 1},
    {"style", 1},           {"stylesheet", 1},         {"display", 1},       {"name", 1},
    {"reverse", 0},         {"widgetcount", 0},        {"nograb", 0},        {"dograb", 0},
};

// How many values follow `arg` when Qt takes it; -1 when Qt does not.
int ToolkitValues(const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '-') return -1;
  const std::string name = arg.substr(arg[1] == '-' ? 2 : 1);
  for (const ToolkitOption& option : kToolkitOptions) {
    if (name == option.name) return option.values;
  }
  return -1;
}

// The option that takes a word and, when the next argument is no option,
// its meaning.
constexpr const char* kAdd = "--add";
constexpr const char* kData = "--data";

// The length of the UTF-8 character at s[i] when it is well formed (no
// overlong form, no surrogate, nothing past U+10FFFF), with its code;
// 0 otherwise.
std::size_t Utf8Character(const std::string& s, std::size_t i, uint32_t* code) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t n = 0;
  if (b < 0x80) {
    *code = b;
    return 1;
  } else if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  uint32_t cp = b & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < least[n] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
  *code = cp;
  return n;
}

CommandLine Mistake(const std::string& text) {
  CommandLine line;
  line.action = CommandLine::Action::kMistake;
  line.mistake = text;
  return line;
}

}  // namespace

CommandLine CommandLine::Read(const std::vector<std::string>& args) {
  CommandLine line;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.empty() || arg[0] != '-' || arg == "-") {
      return Mistake("unexpected argument '" + arg + "'");
    }
    if (arg == "--") {
      if (i + 1 < args.size()) return Mistake("unexpected argument '" + args[i + 1] + "'");
      break;
    }
    if (arg == kAdd) {
      if (i + 1 >= args.size()) return Mistake("option '--add' needs a word");
      if (line.add) return Mistake("option '--add' given twice");
      std::string problem = OneLine(args[i + 1], kLongestWord, &line.word);
      if (!problem.empty()) return Mistake("the word " + problem);
      if (line.word.empty()) return Mistake("the word is empty");
      ++i;
      if (i + 1 < args.size() && (args[i + 1].empty() || args[i + 1][0] != '-')) {
        problem = OneLine(args[i + 1], kLongestMeaning, &line.meaning);
        if (!problem.empty()) return Mistake("the meaning " + problem);
        ++i;
      }
      line.add = true;
      continue;
    }
    if (arg == kData) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        return Mistake("option '--data' needs a folder");
      }
      if (!line.dataFolder.empty()) return Mistake("option '--data' given twice");
      line.dataFolder = args[++i];
      continue;
    }
    const Option* own = nullptr;
    for (const Option& option : kOptions) {
      if (arg == option.name) own = &option;
    }
    const int values = own != nullptr ? own->values : ToolkitValues(arg);
    if (values < 0) return Mistake("unknown option '" + arg + "'");
    if (args.size() - i - 1 < static_cast<size_t>(values)) {
      return Mistake("option '" + arg + "' needs a value");
    }
    if (own != nullptr && own->action != Action::kRun) {
      line.action = own->action;
      return line;
    }
    i += static_cast<size_t>(values);
  }
  return line;
}

std::string CommandLine::OneLine(const std::string& text, std::size_t longest, std::string* line) {
  line->clear();
  std::string out;
  bool space = false;
  for (std::size_t i = 0; i < text.size();) {
    uint32_t code = 0;
    const std::size_t n = Utf8Character(text, i, &code);
    if (n == 0) return "is not UTF-8 text";
    if (code == ' ' || (code >= '\t' && code <= '\r')) {
      space = !out.empty();
    } else if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
      return "holds a control character";
    } else {
      if (space) out += ' ';
      space = false;
      out.append(text, i, n);
    }
    i += n;
  }
  if (out.size() > longest) {
    return "is too long (" + std::to_string(out.size()) + " bytes, at most " +
           std::to_string(longest) + ")";
  }
  *line = std::move(out);
  return {};
}

int CommandLine::Answer(std::FILE* out, std::FILE* err) const {
  switch (action) {
    case Action::kRun:
      return 0;
    case Action::kHelp:
      std::fputs(kHelp, out);
      break;
    case Action::kVersion:
      std::fputs("cindral " CINDRAL_VERSION "\n", out);
      std::fputs(kLicenceNotice, out);
      break;
    case Action::kMistake:
      std::fprintf(err, "cindral: %s\nTry 'cindral --help' for more information.\n",
                   mistake.c_str());
      return 2;
  }
  // An answer that did not reach its reader (a full disk, a closed pipe)
  // is no answer.
  if (std::fflush(out) != 0 || std::ferror(out) != 0) {
    std::fputs("cindral: the answer could not be written\n", err);
    return 1;
  }
  return 0;
}

}  // namespace cindral
