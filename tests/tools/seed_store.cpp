// A helper for the end-to-end tests and the demo: writes and reads the settings store
// the way the settings window does, scrambling included.
//   qv_seed_store slot N TITLE PATH     store slot N (1 to 7)
//   qv_seed_store password TEXT on|off  store the password and its switch
//   qv_seed_store get KEY               print a key, unscrambled as its readers do
//   qv_seed_store set KEY VALUE         store a plain value
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/posix/store_ini.h"
#include "settings/codec.h"

using namespace qv;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: qv_seed_store slot N TITLE PATH | password TEXT on|off | "
               "get KEY | set KEY VALUE\n");
  return 2;
}

std::string Unscrambled(const std::string& key, const std::string& raw, const KeyTables& keys) {
  if (key == "passwd") return ScrambleThrough(raw, keys.b);
  if (key == "use") return Scramble(raw, kFlagKey);
  if (key.rfind("prog", 0) == 0 || key.rfind("title", 0) == 0) return ScrambleThrough(raw, keys.a);
  return raw;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  KeyTables keys;
  keys.FillA();
  keys.FillB();
  IniSettingsStore store;
  bool ok = true;
  if (command == "slot" && argc == 5) {
    const int slot = std::atoi(argv[2]);
    ok = WriteSlot(store, keys.a, SlotField::Title, slot, argv[3]) &&
         WriteSlot(store, keys.a, SlotField::Program, slot, argv[4]);
  } else if (command == "password" && argc == 4) {
    ok = WritePassword(store, keys.b, argv[2]) &&
         WritePasswordSwitch(store, std::string(argv[3]) == "on" ? 1 : 0);
  } else if (command == "get" && argc == 3) {
    std::printf("%s\n", Unscrambled(argv[2], store.Read(kApp, kSection, argv[2]), keys).c_str());
  } else if (command == "set" && argc == 4) {
    ok = store.Write(kApp, kSection, argv[2], argv[3]);
  } else {
    return Usage();
  }
  return ok ? 0 : 1;
}
