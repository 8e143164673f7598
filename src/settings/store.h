// The per-user settings store: text values addressed by application, section and key.
// Values are byte strings; every code 0 to 255 comes back exactly as written.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// Application and section name of every setting.
constexpr std::string_view kApp = "qv";
constexpr std::string_view kSection = "qv";

// The marker for an unset slot or password, and the stored pair of an unset password.
constexpr std::string_view kNoneMarker = "(none)";
constexpr std::string_view kUnsetPasswordPair = "(none)|||(none)";
constexpr std::string_view kPasswordSeparator = "|||";

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Never fails: a missing key, or a store that cannot be read, gives the fallback.
  virtual std::string Read(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view fallback = {}) = 0;
  // False when the value could not be made durable; the caller decides what the user sees.
  virtual bool Write(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view value) = 0;

  // A text of the windows (UTF-8) as this store keeps it before it is scrambled, and back.
  // The same bytes, but where earlier builds kept texts in another form.
  virtual std::string StoredText(std::string_view text) const { return std::string(text); }
  virtual std::string ShownText(std::string_view stored) const { return std::string(stored); }

  // A save of many keys: writes after Hold stay in memory until Commit makes them all
  // durable at once (false when that failed, and then none of them is kept), or Discard
  // drops them, so a crash or a failure leaves either every old value or every new one.
  // Stores without files write at once.
  virtual void Hold() {}
  virtual bool Commit() { return true; }
  virtual void Discard() {}
};

}  // namespace qv
