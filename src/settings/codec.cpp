// Readers and writers of the stored settings.
#include "settings/codec.h"

#include "common/number_text.h"

namespace qv {
namespace {

std::string SlotKey(SlotField field, int slot) {
  return (field == SlotField::Title ? "title" : "prog") + std::to_string(slot);
}

std::string Read(SettingsStore& store, std::string_view key, std::string_view fallback) {
  return store.Read(kApp, kSection, key, fallback);
}

bool Write(SettingsStore& store, std::string_view key, std::string_view value) {
  return store.Write(kApp, kSection, key, value);
}

}  // namespace

std::string ReadSlot(SettingsStore& store, const KeyTable& tableA, SlotField field, int slot,
                     std::string_view fallback) {
  const std::string text = ScrambleThrough(Read(store, SlotKey(field, slot), fallback), tableA);
  if (text == SlotSentinel()) return std::string(kNoneMarker);
  return store.ShownText(text);
}

bool WriteSlot(SettingsStore& store, const KeyTable& tableA, SlotField field, int slot,
               std::string_view text) {
  return Write(store, SlotKey(field, slot), ScrambleThrough(store.StoredText(text), tableA));
}

std::string ReadPassword(SettingsStore& store, const KeyTable& tableB,
                         std::string_view fallbackPair) {
  std::string pair = Read(store, "passwd", fallbackPair);
  if (pair != kUnsetPasswordPair) pair = store.ShownText(ScrambleThrough(pair, tableB));
  return pair.substr(0, pair.find(kPasswordSeparator));
}

bool WritePassword(SettingsStore& store, const KeyTable& tableB, std::string_view password) {
  const std::string stored = store.StoredText(password);
  return Write(store, "passwd",
               ScrambleThrough(stored + std::string(kPasswordSeparator) + stored, tableB));
}

bool ReadPasswordInForce(SettingsStore& store, std::string_view fallback) {
  const std::string use = Read(store, "use", fallback);
  if (use.empty()) return false;
  return LeadingNumber(Scramble(use, kFlagKey)) != 0;
}

int ReadPasswordSwitch(SettingsStore& store, std::string_view fallback) {
  std::string use = Read(store, "use", fallback);
  if (use != "0") use = Scramble(use, kFlagKey);
  return LeadingNumber(use);
}

bool WritePasswordSwitch(SettingsStore& store, int value) {
  return Write(store, "use", Scramble(std::to_string(value), kFlagKey));
}

int ReadStartAtLogon(SettingsStore& store, std::string_view fallback) {
  return LeadingNumber(Read(store, "start", fallback));
}

bool WriteStartAtLogon(SettingsStore& store, int value) {
  return Write(store, "start", std::to_string(value));
}

bool ReadShowWelcome(SettingsStore& store, std::string_view fallback) {
  return Read(store, "show", fallback) != "no";
}

bool WriteShowWelcome(SettingsStore& store, bool show) {
  return Write(store, "show", show ? "yes" : "no");
}

ColourTable ReadColours(SettingsStore& store, ColourTable fallback) {
  auto colour = [&](std::string_view key, Colour otherwise) {
    return ColourFromText(Read(store, key, std::to_string(otherwise)), otherwise);
  };
  return {colour("clr1", fallback.resting), colour("clr2", fallback.hover)};
}

}  // namespace qv
