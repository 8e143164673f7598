// The INI reader and writer against Qt's QSettings, which kept QV's settings before and
// still reads them in other Qt programs: random files as people edit them by hand
// (byte-order marks, blanks, comments, quotes, escapes, line breaks, other sections and
// keys), each read by both, and saved into by QV. Seeded and reproducible; QV_INI_CASES
// sets the number of files. Random values both ways: IniFormat.IsWhatQSettingsWritesAndReads.
#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>
#include <random>

#include "settings/ini_format.h"
#include "temp_folder.h"

namespace qv {
namespace {

// What QV read through QSettings: every valid value as Latin-1 text.
IniValues ReadThroughQt(const std::string& path) {
  QSettings qt(QString::fromStdString(path), QSettings::IniFormat);
  IniValues values;
  for (const QString& key : qt.allKeys()) {
    const QVariant value = qt.value(key);
    if (value.isValid()) values[key.toStdString()] = value.toString().toLatin1().toStdString();
  }
  return values;
}

template <class T, std::size_t N>
const T& Pick(std::mt19937& random, const T (&choices)[N]) {
  return choices[random() % N];
}

// A value as someone types it after "=": words, blanks, quotes, escapes, commas,
// comments, characters beyond Latin-1, and the '@' forms QSettings gives meaning to.
std::string RandomValue(std::mt19937& random) {
  // clang-format off
  static const char* const kPieces[] = {
      "Mail", "/usr/bin/gedit", " ", "\t", "\"", "\"quoted, text\"", ",", ";", "=",
      "\\n", "\\t", "\\\\", "\\\"", "\\x41", "\\101", "\\x", "\\q",
      "\xC3\xA9", "\xD0\x96", "\xF0\x9F\x98\x80", "\xE2\x82\xAC",
      "@@x", "@String(s)", "@ByteArray(\xC3\xA9)", "@Invalid()", "@Size(1 2)", "@Rect(1 2)",
      "@", ")", "(none)", "\"a\nb\"", "\\\n", "#", "[qv]", "0", "yes", "no"};
  // clang-format on
  std::string value;
  for (int n = static_cast<int>(random() % 5); n >= 0; --n) value += Pick(random, kPieces);
  return value;
}

std::string RandomLine(std::mt19937& random) {
  static const char* const kSections[] = {"qv",    " qv ", "qv\t", "General", "general",
                                          "other", "QV",   "%71v", "qv]x",    "q v"};
  static const char* const kKeys[] = {"title1",  "prog1",   "passwd",    "use",        "show",
                                      "start",   "clr1",    "other key", "qv\\title1", "%74itle1",
                                      " title2", "title2 ", "\xD0\x96",  "x"};
  static const char* const kOthers[] = {"",        "   ",   "; a comment",  "# not a comment",
                                        "garbage", "[qv",   "\t; indented", "=nothing",
                                        ";",       "[other"};
  switch (random() % 6) {
    case 0:
      return "[" + std::string(Pick(random, kSections)) + "]";
    case 1:
      return Pick(random, kOthers);
    default:
      return std::string(Pick(random, kKeys)) + Pick(random, {"=", " = ", "\t=", "= "}) +
             RandomValue(random);
  }
}

std::string RandomHandEditedFile(std::mt19937& random) {
  const char* lineEnd = random() % 3 == 0 ? "\r\n" : "\n";
  std::string file = random() % 4 == 0 ? "\xEF\xBB\xBF" : "";
  if (random() % 4 != 0) file += std::string("[qv]") + lineEnd;
  for (int n = static_cast<int>(random() % 10); n > 0; --n) file += RandomLine(random) + lineEnd;
  if (random() % 5 == 0) file += RandomLine(random);  // no line break at the end
  return file;
}

int CaseCount() {
  const char* cases = std::getenv("QV_INI_CASES");
  return cases ? std::atoi(cases) : 3000;
}

std::string Shown(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes)
    out += c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c))
                                 : "\\x" + std::to_string(c) + ";";
  return out;
}

// Each file reads the same through both, and after QV saves its own keys into it, QSettings
// reads the new values of those and the old values of every other key.
TEST(IniDifferential, HandEditedFilesReadAsQSettingsReadsThem) {
  TempFolder home;
  std::mt19937 random(20261207);
  const int cases = CaseCount();
  for (int i = 0; i < cases; ++i) {
    const std::string file = RandomHandEditedFile(random);
    const std::string path = home / ("read" + std::to_string(i) + ".ini");
    WriteFile(path, file);
    const ParsedIni parsed = ParseIni(file);
    const IniValues qt = ReadThroughQt(path);
    ASSERT_EQ(parsed.values, qt) << "case " << i << ": " << Shown(file);

    IniValues changes = {{"qv/title1", "Saved " + std::to_string(i)}, {"qv/use", "\x01\xE9,;"}};
    IniValues expected = qt;
    for (const auto& [key, value] : changes) expected[key] = value;
    const std::string saved = home / ("saved" + std::to_string(i) + ".ini");
    WriteFile(saved, UpdateIni(file, parsed, changes));
    ASSERT_EQ(ReadThroughQt(saved), expected) << "case " << i << ": " << Shown(file);
    std::filesystem::remove(path);
    std::filesystem::remove(saved);
  }
}

}  // namespace
}  // namespace qv
