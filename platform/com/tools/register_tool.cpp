#include "platform/com/tools/register_tool.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/com/registry.h"

namespace plat::com {

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: brendalo-register LIB...\n"
               "       brendalo-register --unregister LIB...\n"
               "       brendalo-register --all DIR\n");
  return 2;
}

constexpr const char* kNotStored = "the class registry cannot be written";

bool holds(const std::vector<std::string>& held, const std::string& cls) {
  return std::find(held.begin(), held.end(), cls) != held.end();
}

// What the tool has said of each class (each library removed) whose change
// was held, to say it again should a later update of this run write it.
class Report {
 public:
  // `pending`: the classes whose change is held; none, and it is done.
  void say(const std::string& done, const std::string& not_done, std::vector<std::string> pending) {
    if (pending.empty()) {
      std::printf("%s\n", done.c_str());
      return;
    }
    std::printf("%s: %s\n", not_done.c_str(), kNotStored);
    held_.push_back({done, std::move(pending)});
  }
  // Says again, as done, what a later update wrote.
  void close() {
    const std::vector<std::string> held = held_classes();
    for (const auto& [done, pending] : held_)
      if (std::none_of(pending.begin(), pending.end(), [&](const std::string& c) { return holds(held, c); }))
        std::printf("%s: written by a later update\n", done.c_str());
    held_.clear();
  }

 private:
  std::vector<std::pair<std::string, std::vector<std::string>>> held_;
};

bool register_one(const std::string& lib, Report& report) {
  try {
    const std::vector<std::string> classes = register_library(lib);
    const std::vector<std::string> held = held_classes();
    for (const std::string& cls : classes) {
      const std::string shown = cls + " (" + lib + ")";
      report.say("registered " + shown, "not registered " + shown,
                 holds(held, cls) ? std::vector<std::string>{cls} : std::vector<std::string>{});
    }
    return true;
  } catch (const RuntimeError& e) {
    std::fprintf(stderr, "brendalo-register: %s\n", e.description.c_str());
    return false;
  }
}

bool unregister_one(const std::string& lib, Report& report) {
  try {
    const std::vector<std::string> before = held_classes();
    unregister_library(lib);
    // The removals of this library that the file refused.
    std::vector<std::string> pending = held_classes();
    std::erase_if(pending, [&](const std::string& c) { return holds(before, c); });
    report.say("unregistered " + lib, "not unregistered " + lib, std::move(pending));
    return true;
  } catch (const RuntimeError& e) {
    std::fprintf(stderr, "brendalo-register: %s\n", e.description.c_str());
    return false;
  }
}

}  // namespace

int brendalo_register(const std::vector<std::string>& args) {
  if (args.empty()) return usage();
  int failed = 0;
  Report report;
  if (args[0] == "--all") {
    if (args.size() != 2) return usage();
    struct stat st {};
    if (::stat(args[1].c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
      std::fprintf(stderr, "brendalo-register: no folder %s\n", args[1].c_str());
      return 1;
    }
    // Judged by its full name, a relative one too: read as text, such a
    // name would name another folder, or none.
    const std::string folder = full_path(args[1]);
    if (!is_text_name(folder)) {
      std::fprintf(stderr,
                   "brendalo-register: the name of the folder %s is not UTF-8 text; such a folder is not supported\n",
                   folder.c_str());
      return 1;
    }
    // Every library that cannot be loaded is named: none is skipped unsaid.
    for (const std::string& lib : library_files_in(folder)) {
      std::string why;
      if (is_control_library(lib, &why)) {
        if (!register_one(lib, report)) ++failed;
      } else if (!why.empty()) {
        std::fprintf(stderr, "brendalo-register: %s\n", why.c_str());
        ++failed;
      }
    }
  } else if (args[0] == "--unregister") {
    if (args.size() < 2) return usage();
    for (size_t i = 1; i < args.size(); ++i)
      if (!unregister_one(args[i], report)) ++failed;
  } else {
    // An unknown option changes nothing: the usage says what is known.
    for (const std::string& arg : args)
      if (arg.starts_with('-')) {
        std::fprintf(stderr, "brendalo-register: unknown option %s\n", arg.c_str());
        return usage();
      }
    for (const std::string& lib : args)
      if (!register_one(lib, report)) ++failed;
  }
  report.close();
  std::printf("registry: %s\n", registry_path().c_str());
  if (!registry_written()) ++failed;  // held for this process only: lost at its end
  return failed ? 1 : 0;
}

}  // namespace plat::com
