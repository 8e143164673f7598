// The menu's fifteen rows from top to bottom: seven user slots, five built-in tools and
// three commands. The layout, the keyboard order, the highlighting and what a click does
// all come from this one table.
#pragma once

#include <array>
#include <string_view>

namespace qv {

enum class MenuAction { StartSlot, StartTool, OpenSettings, HideMenu, Exit };

struct MenuRow {
  std::string_view key;  // the control array: "menu1" (slots and tools) or "Closer"
  int index;             // the element of that array
  int top;               // twips from the window's top; a gap of 120 parts the groups
  const char* text;      // as laid out; a slot's row shows its menu text once loaded
  MenuAction action;
  int slot = 0;                   // StartSlot: 1 to 7
  const char* command = nullptr;  // StartTool: the tool by its Windows command
};

inline constexpr int kRowPitch = 240;  // twips from one row's top to the next in a group

inline constexpr std::array<MenuRow, 15> kMenuRows = {{
    {"menu1", 11, 0, "1", MenuAction::StartSlot, 7},
    {"menu1", 10, 240, "2", MenuAction::StartSlot, 6},
    {"menu1", 9, 480, "3", MenuAction::StartSlot, 5},
    {"menu1", 8, 720, "4", MenuAction::StartSlot, 4},
    {"menu1", 7, 960, "5", MenuAction::StartSlot, 3},
    {"menu1", 6, 1200, "6", MenuAction::StartSlot, 2},
    {"menu1", 5, 1440, "7", MenuAction::StartSlot, 1},
    {"menu1", 4, 1800, "Defrag", MenuAction::StartTool, 0, "defrag"},
    {"menu1", 3, 2040, "Scandisk", MenuAction::StartTool, 0, "scandisk"},
    {"menu1", 2, 2280, "Winipcfg", MenuAction::StartTool, 0, "winipcfg"},
    {"menu1", 1, 2520, "Notepad", MenuAction::StartTool, 0, "notepad.exe"},
    {"menu1", 0, 2760, "Calculator", MenuAction::StartTool, 0, "calc.exe"},
    {"Closer", 2, 3120, "Settings", MenuAction::OpenSettings},
    {"Closer", 0, 3360, "Hide Menu", MenuAction::HideMenu},
    {"Closer", 1, 3600, "Exit Velmora", MenuAction::Exit},
}};

// The row of each element of a control array, by its index.
template <std::size_t N>
constexpr std::array<int, N> RowsOf(std::string_view key) {
  std::array<int, N> rows{};
  for (std::size_t row = 0; row < kMenuRows.size(); ++row)
    if (kMenuRows[row].key == key) rows[kMenuRows[row].index] = static_cast<int>(row);
  return rows;
}
inline constexpr std::array<int, 12> kRowOfEntry = RowsOf<12>("menu1");
inline constexpr std::array<int, 3> kRowOfCloser = RowsOf<3>("Closer");

}  // namespace qv
