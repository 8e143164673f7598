// The settings store on Windows: string values under HKEY_CURRENT_USER, key
// Software\<app>\<section>. Each byte of a value is kept as one UTF-16 unit, so every code 0 to
// 255, the code 0 included, comes back exactly whatever the ANSI code page. A held save is
// all or nothing: when one of its values cannot be written, those already written get
// their old values back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/store.h"
#include "settings/stored_text.h"

namespace qv {

class RegistryStore final : public SettingsStore {
 public:
  // root: the key path under HKEY_CURRENT_USER that holds the applications ("Software").
  explicit RegistryStore(std::string root = "Software") : root_(std::move(root)) {}

  std::string Read(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view fallback = {}) override;
  bool Write(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value) override;
  // Latin-1 where it holds the text, as builds before Unicode stored it; else UTF-8.
  std::string StoredText(std::string_view text) const override { return Latin1WhereItFits(text); }
  std::string ShownText(std::string_view stored) const override { return Utf8FromStored(stored); }
  void Hold() override { holding_ = true; }
  bool Commit() override;
  void Discard() override;

 private:
  struct Value {
    std::string app, section, key;
    std::optional<std::string> text;  // nothing: no such value
  };
  std::optional<std::string> Stored(const Value& place) const;
  bool Put(const Value& value) const;
  void Restore(const std::vector<Value>& old) const;
  std::wstring KeyPath(std::string_view app, std::string_view section) const;

  std::string root_;
  bool holding_ = false;
  std::vector<Value> held_;
};

}  // namespace qv
