// Parsing the headless backend's input file (input_script.h).
#include "platform/backends/headless/input_script.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "platform/input/virtual_keys.h"

namespace devbackend {
namespace {

bool ParseInt(const std::string& word, long low, long high, long* out) {
  if (word.empty()) return false;
  char* end = nullptr;
  long value = std::strtol(word.c_str(), &end, 0);
  if (end == nullptr || *end != 0 || value < low || value > high) return false;
  *out = value;
  return true;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

UINT KeyByName(const std::string& given) {
  std::string name = Lower(given);
  static const struct {
    const char* name;
    UINT key;
  } kNames[] = {
      {"up", VK_UP},         {"down", VK_DOWN},     {"left", VK_LEFT},     {"right", VK_RIGHT},
      {"return", VK_RETURN}, {"enter", VK_RETURN},  {"action", VK_RETURN}, {"escape", VK_ESCAPE},
      {"space", VK_SPACE},   {"tab", VK_TAB},       {"back", VK_BACK},     {"prior", VK_PRIOR},
      {"next", VK_NEXT},     {"shift", VK_SHIFT},   {"control", VK_CONTROL},
  };
  for (const auto& entry : kNames)
    if (name == entry.name) return entry.key;
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
  long number = 0;
  if (name.size() >= 2 && name[0] == 'f' && ParseInt(name.substr(1), 1, 8, &number))
    return VK_F1 + static_cast<UINT>(number - 1);
  if (name.size() >= 4 && name.compare(0, 3, "app") == 0 && ParseInt(name.substr(3), 1, 15, &number))
    return VK_FIRST_APPLICATION_KEY + static_cast<UINT>(number - 1);
  if (ParseInt(name, 1, 0xFF, &number)) return static_cast<UINT>(number);
  return 0;
}

std::vector<InputCommand> ParseInputScript(const std::string& text, std::vector<std::string>* errors) {
  std::vector<InputCommand> commands;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    std::string verb = Lower(w[0]);
    InputCommand command;
    long a = 0, b = 0, c = 0, d = 0, e = 8;
    constexpr long kMax = 100000;
    bool ok = false;
    if (verb == "key" && w.size() == 2) {
      command.kind = InputCommand::Kind::Key;
      command.key = KeyByName(w[1]);
      ok = command.key != 0;
    } else if (verb == "tap" && w.size() == 3) {
      command.kind = InputCommand::Kind::Tap;
      ok = ParseInt(w[1], -kMax, kMax, &a) && ParseInt(w[2], -kMax, kMax, &b);
    } else if (verb == "drag" && (w.size() == 5 || w.size() == 6)) {
      command.kind = InputCommand::Kind::Drag;
      ok = ParseInt(w[1], -kMax, kMax, &a) && ParseInt(w[2], -kMax, kMax, &b) && ParseInt(w[3], -kMax, kMax, &c) &&
           ParseInt(w[4], -kMax, kMax, &d) && (w.size() == 5 || ParseInt(w[5], 1, 1000, &e));
    } else if (verb == "wait" && w.size() == 2) {
      command.kind = InputCommand::Kind::Wait;
      ok = ParseInt(w[1], 0, 3600000, &a);
      command.waitMs = static_cast<DWORD>(a);
    } else if (verb == "shot" && w.size() == 2) {
      command.kind = InputCommand::Kind::Shot;
      command.file = w[1];
      ok = true;
    } else if (verb == "quit" && w.size() == 1) {
      command.kind = InputCommand::Kind::Quit;
      ok = true;
    }
    if (!ok) {
      if (errors) errors->push_back("line " + std::to_string(number) + ": cannot read \"" + line + "\"");
      continue;
    }
    command.x1 = static_cast<int>(a);
    command.y1 = static_cast<int>(b);
    command.x2 = static_cast<int>(c);
    command.y2 = static_cast<int>(d);
    command.steps = static_cast<int>(e);
    commands.push_back(command);
  }
  return commands;
}

}  // namespace devbackend
