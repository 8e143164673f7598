// The candidates of each built-in tool, first choice first.
#include "platform/win32/builtin_tools_win32.h"

#include <vector>

namespace qv {
namespace {

struct Candidate {
  const char* program;    // in the system folder
  const char* tool;       // a second file the line runs from the system folder, or null
  const char* arguments;  // "%T" stands for the tool's quoted full path
};

struct Tool {
  const char* command;
  std::vector<Candidate> candidates;
};

const std::vector<Tool>& Tools() {
  static const std::vector<Tool> tools = {
      {"calc.exe", {{"calc.exe", nullptr, ""}}},
      {"notepad.exe", {{"notepad.exe", nullptr, ""}}},
      {"defrag", {{"dfrgui.exe", nullptr, ""}}},           // Optimize Drives
      {"scandisk", {{"cmd.exe", "chkdsk.exe", "/k %T"}}},  // the disk check
      {"winipcfg",
       {{"control.exe", "ncpa.cpl", "ncpa.cpl"},  // Network Connections
        {"cmd.exe", "ipconfig.exe", "/k %T /all"}}},
  };
  return tools;
}

std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}

}  // namespace

std::string BuiltInToolLine(const std::string& command, const std::string& systemFolder,
                            const std::function<bool(const std::string& path)>& exists) {
  for (const Tool& tool : Tools()) {
    if (command != tool.command) continue;
    for (const Candidate& c : tool.candidates) {
      const std::string program = systemFolder + "\\" + c.program;
      const std::string second = c.tool ? systemFolder + "\\" + c.tool : "";
      if (!exists(program) || (c.tool && !exists(second))) continue;
      std::string arguments = c.arguments;
      if (const auto at = arguments.find("%T"); at != std::string::npos)
        arguments.replace(at, 2, Quoted(second));
      return Quoted(program) + (arguments.empty() ? "" : " " + arguments);
    }
  }
  return {};
}

}  // namespace qv
