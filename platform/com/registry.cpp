#include "platform/com/registry.h"

#include <dlfcn.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/com/names.h"

namespace plat::com {

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries load(const QString& path) {
  Entries out;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return out;
  bool in_classes = false;
  while (!f.atEnd()) {
    QString line = QString::fromUtf8(f.readLine()).trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
    if (line.startsWith('[')) {
      in_classes = line.compare("[Classes]", Qt::CaseInsensitive) == 0;
      continue;
    }
    qsizetype eq = line.indexOf('=');
    if (!in_classes || eq <= 0) continue;
    out.emplace_back(line.left(eq).trimmed().toStdString(), line.mid(eq + 1).trimmed().toStdString());
  }
  return out;
}

void save(const QString& path, const Entries& entries) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
    throw RuntimeError(kErrInvalidCall, "Cannot write the class registry " + path.toStdString());
  std::string text = "[Classes]\n";
  for (const auto& [cls, lib] : entries) text += cls + "=" + lib + "\n";
  f.write(text.data(), qint64(text.size()));
  if (!f.commit()) throw RuntimeError(kErrInvalidCall, "Cannot write the class registry " + path.toStdString());
}

// Read-modify-write under a lock file, so processes registering at the same
// time (parallel tests) do not lose each other's entries.
template <class F>
auto update(F&& change) {
  QString path = QString::fromStdString(registry_path());
  QDir().mkpath(QFileInfo(path).absolutePath());
  QLockFile lock(path + ".lock");
  lock.setStaleLockTime(10000);
  if (!lock.lock()) throw RuntimeError(kErrInvalidCall, "Cannot lock the class registry " + path.toStdString());
  Entries entries = load(path);
  auto result = change(entries);
  save(path, entries);
  return result;
}

void* open_library(const std::string& path, std::string& error) {
  static std::map<std::string, void*> loaded;
  auto it = loaded.find(path);
  if (it != loaded.end()) return it->second;
  void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    const char* e = dlerror();
    error = e ? e : "cannot be loaded";
    return nullptr;
  }
  loaded.emplace(path, h);
  return h;
}

[[noreturn]] void cannot_create(std::string_view class_name, const std::string& why) {
  throw RuntimeError(kErrCantCreate, "Can't create object of class '" + std::string(class_name) + "': " + why);
}

std::vector<std::string> classes_of(const std::string& library) {
  std::vector<std::string> out;
  for (const auto& [cls, lib] : registered_classes())
    if (lib == library) out.push_back(cls);
  return out;
}

}  // namespace

std::string registry_path() {
  if (const char* env = std::getenv("BRENDALO_REGISTRY"); env && *env) return env;
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (base.isEmpty()) base = QDir::homePath() + "/.local/share";
  return (base + "/brendalo/registry.ini").toStdString();
}

void register_class(std::string_view class_name, std::string_view library_path) {
  update([&](Entries& e) {
    for (auto& [cls, lib] : e)
      if (same_name(cls, class_name)) {
        cls = std::string(class_name);
        lib = std::string(library_path);
        return 0;
      }
    e.emplace_back(std::string(class_name), std::string(library_path));
    return 0;
  });
}

bool unregister_class(std::string_view class_name) {
  return update([&](Entries& e) {
    return std::erase_if(e, [&](const auto& p) { return same_name(p.first, class_name); }) > 0;
  });
}

std::optional<std::string> registered_library(std::string_view class_name) {
  for (const auto& [cls, lib] : registered_classes())
    if (same_name(cls, class_name)) return lib;
  return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> registered_classes() {
  return load(QString::fromStdString(registry_path()));
}

std::shared_ptr<Control> create_object(std::string_view class_name) {
  std::optional<std::string> lib = registered_library(class_name);
  if (!lib) cannot_create(class_name, "the class is not registered (" + registry_path() + ")");
  std::string error;
  void* h = open_library(*lib, error);
  if (!h) cannot_create(class_name, "its library " + *lib + " cannot be loaded: " + error);
  auto create = reinterpret_cast<CreateFn>(dlsym(h, kCreateEntry));
  if (!create) cannot_create(class_name, "its library " + *lib + " has no entry point " + kCreateEntry);
  Control* obj = nullptr;
  try {
    obj = create(std::string(class_name).c_str());
  } catch (const std::exception& e) {
    cannot_create(class_name, e.what());
  }
  if (!obj) cannot_create(class_name, "its library " + *lib + " does not provide it");
  return std::shared_ptr<Control>(obj);
}

std::string library_path_of(const void* address) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname) return {};
  return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath().toStdString();
}

bool is_control_library(const std::string& path) {
  std::string error;
  void* h = open_library(QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString(), error);
  return h && dlsym(h, kRegisterEntry);
}

namespace {
void call_entry(const std::string& path, const char* entry) {
  std::string abs = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
  std::string error;
  void* h = open_library(abs, error);
  if (!h) throw RuntimeError(kErrInvalidCall, "Cannot load " + path + ": " + error);
  auto fn = reinterpret_cast<RegisterFn>(dlsym(h, entry));
  if (!fn) throw RuntimeError(kErrInvalidCall, path + " is not a control library (no " + entry + ")");
  if (fn() != 0) throw RuntimeError(kErrInvalidCall, std::string(entry) + " of " + path + " failed");
}
}  // namespace

std::vector<std::string> register_library(const std::string& path) {
  call_entry(path, kRegisterEntry);
  return classes_of(QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString());
}

void unregister_library(const std::string& path) { call_entry(path, kUnregisterEntry); }

std::vector<std::string> register_libraries_in(const std::string& dir, bool only_new) {
  std::vector<std::string> done;
  QDir d(QString::fromStdString(dir));
  if (!d.exists()) return done;
  const auto known = registered_classes();
  for (const QString& name : d.entryList({"*.so"}, QDir::Files, QDir::Name)) {
    const std::string lib = d.absoluteFilePath(name).toStdString();
    if (only_new && std::any_of(known.begin(), known.end(), [&](auto& k) { return k.second == lib; })) continue;
    if (!is_control_library(lib)) continue;
    try {
      for (auto& cls : register_library(lib)) done.push_back(cls);
    } catch (const RuntimeError& e) {
      std::fprintf(stderr, "%s\n", e.description.c_str());
    }
  }
  return done;
}

}  // namespace plat::com
