// The menu window: the tray icon, the column of fifteen entries that pops up in the
// bottom-right corner, their highlighting and commands, and the slots it reads.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/declared_form.h"
#include "menu/menu_rows.h"

namespace qv {

class MenuWindow final : public DeclaredForm<MenuWindow>, public TrayEvents {
 public:
  static constexpr FormId kId = FormId::Menu;
  struct Controls {
    std::array<int, kMenuRows.size()> rows;  // top to bottom
  };
  static Declaration<MenuWindow> Declare();  // its controls, with their places and handlers
  static constexpr int kSlots = 7;
  static constexpr int kWidth = 2265;   // twips
  static constexpr int kHeight = 3840;  // twips
  static constexpr int kCornerMargin = 200;
  static constexpr const char* kTooltip = "Velmora Tray Menu";

  explicit MenuWindow(App& app);
  ~MenuWindow() override;  // the icon goes with the window, whatever ended the run

  void Form_Initialize() override;
  void Form_Load() override;
  void Form_QueryUnload(bool& cancel, UnloadMode mode) override;
  // Reads the seven slots and shows their menu texts.
  void ReadSettings() override;
  void HideMenu();

  void OnTrayMessage(TrayMessage message) override;
  void OnExitRequest() override;
  void OnTrayMenuChoice(int entry) override;
  void menu1_Click(std::int16_t index);
  void Closer_Click(std::int16_t index);
  void Image1_Click();
  void menu1_MouseMove(std::int16_t index);
  void Closer_MouseMove(std::int16_t index);
  void Form_MouseMove();
  void Image1_MouseMove();
  // Up, Down, Home and End move the highlight as the mouse would, Return runs the
  // highlighted entry as a click would, Escape hides the menu.
  void Form_KeyDown(Key key) override;

  // Slot n (1 to 7): what its entry starts and shows.
  const std::string& SlotPath(int slot) const { return slotPath_[slot]; }
  const std::string& SlotTitle(int slot) const { return slotTitle_[slot]; }

 private:
  void Choose(int row);
  void StartSlot(int slot);
  void ExitProgram();
  void Highlight(int row);
  void PaintAllResting();
  void PlaceInCorner();
  std::vector<TrayMenuEntry> TrayMenu() const;

  static constexpr int kRows = static_cast<int>(kMenuRows.size());

  const Controls& controls_ = Declared().controls;
  std::unique_ptr<TrayIcon> tray_;
  std::array<std::string, kSlots + 1> slotPath_;  // elements 1 to 7
  std::array<std::string, kSlots + 1> slotTitle_;
  int highlighted_ = -1;  // the row in the hover colour, or -1
};

}  // namespace qv
