#pragma once
// The class registry: which library provides which control class.
//
// The registry is a text file, BRENDALO_REGISTRY when that is set, else
// "brendalo/registry.ini" in the user's data folder ($XDG_DATA_HOME when it
// is an absolute path, else $HOME/.local/share; taken byte for byte). Each line under
// "[Classes]" reads "ClassName=/absolute/path/of/library.so"; class names
// match without regard to case. Other lines (comments, other sections,
// other programs' entries) are kept byte for byte by every update; a file
// that cannot be read as text is kept aside before it is written anew, as
// the first free name of "registry.ini.bak", "registry.ini.bak.1", ... (an
// earlier one is never replaced, also where the file system refuses hard
// links and rename's flags). A lookup reads the file again only when
// it changed.
//
// An update replaces the file only once its new text is completely on the
// disk: a write that does not complete (no room, an I/O error, a failing
// sync or rename) leaves the file byte for byte as it was, or absent when
// there was none, and nothing beside it (no temporary file, no folder or
// lock file of its own); its registration holds in memory, as below. A
// damaged file stays in place until it is replaced. Every update is made
// under a lock on "<file>.lock" beside the file it writes (a link's target,
// so that updates through the link and through the file's own name exclude
// each other), which needs only the right to read it; where no lock can be
// had the change is held likewise, since another process's update might be
// lost. A temporary file a killed writer left is
// removed by a later update. A file system that keeps no file modes takes
// the file without its old mode.
//
// Only a regular file, or a path where nothing stands yet, is written; a
// symbolic link to a regular file stays, and its target is written. A
// registration that cannot be written (the path is a folder, a FIFO, a
// device node or a link to one of those or to nothing; the folder is
// read-only) holds in memory for the rest of the process, with a warning on
// stderr naming the file; such a path is read as empty and never opened for
// writing.
//
// A class this process has resolved (registered or held by it, found in the
// file by the start-up registration, or created) stays creatable for the
// rest of the process from the library it resolved to, whatever becomes of
// the file: emptied, damaged, deleted, or changed by another program. What
// the file names comes first.
//
// A control library exports three C entry points (see BRENDALO_CONTROL_EXPORT):
//   int brendalo_register_server(void)    writes its classes and its own path
//   int brendalo_unregister_server(void)  removes them             (0 = done)
//   plat::com::Control* brendalo_create_object(const char* class_name)
//                                          a new object, or null for a class
//                                          it does not provide
// Libraries, once loaded, stay loaded for the life of the process.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/com/control.h"

#define BRENDALO_CONTROL_EXPORT extern "C" __attribute__((visibility("default")))

namespace plat::com {

inline constexpr const char* kRegisterEntry = "brendalo_register_server";
inline constexpr const char* kUnregisterEntry = "brendalo_unregister_server";
inline constexpr const char* kCreateEntry = "brendalo_create_object";

using RegisterFn = int (*)();
using CreateFn = Control* (*)(const char*);

std::string registry_path();

// Fails with error 5 for a name or path a registry line cannot hold (empty,
// holding "=" or a line break, starting with "[", ";" or "#", or with blanks
// around it).
void register_class(std::string_view class_name, std::string_view library_path);
// False when the class was not registered.
bool unregister_class(std::string_view class_name);
// The library the file (or what is held) names, else the one this process
// resolved the class to.
std::optional<std::string> registered_library(std::string_view class_name);
// (class name, library path) in file order, then those held in memory, then
// those resolved that neither names.
std::vector<std::pair<std::string, std::string>> registered_classes();
// False while a registration or removal of this process is held in memory
// only (the file refused it and no later update wrote it).
bool registry_written();
// The classes whose registration or removal is held in memory only, the
// file having refused it; empty once a later update wrote them all.
std::vector<std::string> held_classes();
// Forgets what this process holds and has resolved, as a new process starts
// (for tests and fuzz targets that play several starts in one process).
void forget_registrations();

// A new object of a registered class, from the library the file names, else
// (or when that one fails) from the one this process resolved it to. Throws
// RuntimeError 429 naming the class and the registry file when the class is
// unknown, its library cannot be loaded or does not provide it.
std::shared_ptr<Control> create_object(std::string_view class_name);

// The absolute path of the loaded library that holds `address` (one of the
// library's own functions).
std::string library_path_of(const void* address);

// A library is handed to the system's loader only when it is a regular
// file and a whole shared library of this machine: else (a FIFO, a file cut
// short, one that is not a library) it is refused with a message naming it
// and saying why, as when the loader refuses it. Its path, made absolute,
// must be text (UTF-8): the library registers itself under it.

// Whether a file is a loadable library exporting the registration entry;
// when it cannot be loaded, `why` (if given) says so, naming it.
bool is_control_library(const std::string& path, std::string* why = nullptr);
// Loads a library and calls its registration (or unregistration) entry;
// returns the classes registered from it. Throws RuntimeError with the
// library's name when it cannot be loaded or has no entry point.
std::vector<std::string> register_library(const std::string& path);
void unregister_library(const std::string& path);
// The entries of `dir` named "*.so" (not hidden ones, nor folders), as
// "<dir>/<name>" in the byte order of their names; none when it cannot be
// read. Names are taken as bytes, text or not.
std::vector<std::string> library_files_in(const std::string& dir);
// `path` with the current folder before it when it is relative, by bytes.
std::string full_path(const std::string& path);
// Whether a name read as text (UTF-8) gives back the same bytes.
bool is_text_name(const std::string& name);
// Registers the classes the control libraries found in `dir` offer (every
// one, or with `only_new` those the registry file lacks: not named, or named
// under a library that cannot be loaded or does not offer them); returns
// the classes registered. Every class offered is resolved. A library that
// cannot be loaded or fails is reported on stderr and skipped; one without
// the registration entry is passed over.
std::vector<std::string> register_libraries_in(const std::string& dir, bool only_new);

}  // namespace plat::com
