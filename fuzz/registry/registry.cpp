// The class registry file as a user, a half-written save or another program
// may leave it: looked up, then the program's start-up registration against
// it, after which the controls can be created, and an update that keeps
// every line it does not change (or, for a damaged file, keeps the file
// aside first) and leaves no temporary file. Each input starts from an
// empty folder, as a first start does.
#include <QCoreApplication>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "fuzz/support.h"
#include "gridcontrol/nadrel_ids.h"
#include "listviewcolor/ombrelis_ids.h"

using namespace fuzz;

namespace {

std::string read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream s(text);
  for (std::string line; std::getline(s, line);) out.push_back(line);
  return out;
}

// Whether `part` stands in `whole` in the same order, other lines between.
bool in_order(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  size_t k = 0;
  for (const std::string& line : whole)
    if (k < part.size() && line == part[k]) ++k;
  return k == part.size();
}

// Each input starts as a first start does: from an empty folder, with
// nothing held or resolved by an earlier one.
void start_afresh(const std::string& dir) {
  std::error_code ignored;
  for (const auto& e : std::filesystem::directory_iterator(dir, ignored)) std::filesystem::remove_all(e.path(), ignored);
  forget_registrations();
}

// Nothing but the registry, its lock and what was kept aside: no
// temporary file is left.
bool only_registry_files(const std::string& dir) {
  std::error_code ignored;
  for (const auto& e : std::filesystem::directory_iterator(dir, ignored)) {
    const std::string name = e.path().filename().string();
    if (name != "registry.ini" && name != "registry.ini.lock" && !name.starts_with("registry.ini.bak")) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  app();
  const std::string original(reinterpret_cast<const char*>(data), size);
  const std::string path = registry_path(), backup = path + ".bak";
  const std::string dir = std::filesystem::path(path).parent_path().string();
  start_afresh(dir);
  write_file(path, original);

  for (const auto& [cls, lib] : registered_classes()) FUZZ_CHECK(registered_library(cls).has_value());

  // An update of one class: every other line stays as it was.
  register_class("Fuzz.Probe", "/nowhere/libprobe.so");
  FUZZ_CHECK(registered_library("FUZZ.PROBE") == std::optional<std::string>("/nowhere/libprobe.so"));
  FUZZ_CHECK(held_classes().empty());
  const std::string updated = read_file(path);
  if (read_file(backup).empty()) {
    std::vector<std::string> kept;  // every line but those that may name the class
    for (const std::string& line : lines_of(original)) {
      std::string lower = line;
      for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
      if (lower.find("fuzz.probe") == std::string::npos) kept.push_back(line);
    }
    FUZZ_CHECK(in_order(kept, lines_of(updated)));
  } else {
    FUZZ_CHECK(read_file(backup) == original);
  }
  FUZZ_CHECK(only_registry_files(dir));

  // The program's start: afterwards its controls can be created.
  start_afresh(dir);
  write_file(path, original);
  register_libraries_in(QCoreApplication::applicationDirPath().toStdString(), true);
  FUZZ_CHECK(held_classes().empty());
  FUZZ_CHECK(create_object(ombrelis::kClassName) != nullptr);
  FUZZ_CHECK(create_object(nadrel::kClassName) != nullptr);
  FUZZ_CHECK(only_registry_files(dir));
  return 0;
}
