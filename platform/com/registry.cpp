#include "platform/com/registry.h"

#include <dirent.h>
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/com/names.h"

namespace plat::com {

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The registry file as lines of bytes, kept exactly as read so that an
// update rewrites only the lines it changes. Entries are the "Class=path"
// lines of [Classes] sections, in file order.
struct File {
  struct Entry {
    std::string cls, lib;
    size_t line;
  };
  std::vector<std::string> lines;  // without their '\n'
  std::vector<Entry> entries;
  bool crlf = false;               // lines end with "\r\n": new lines too
  size_t insert_at = 0;            // where a new entry goes
  bool has_classes = false;

  static File parse(const std::string& bytes) {
    File f;
    size_t start = 0;
    while (start < bytes.size()) {
      size_t nl = bytes.find('\n', start);
      if (nl == std::string::npos) nl = bytes.size();
      f.lines.push_back(bytes.substr(start, nl - start));
      start = nl + 1;
    }
    f.index();
    return f;
  }

  void index() {
    entries.clear();
    has_classes = false;
    insert_at = lines.size();
    crlf = !lines.empty() && !lines[0].empty() && lines[0].back() == '\r';
    bool in_classes = false, first_section = true;
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string_view s = trim_blanks(lines[i]);
      if (s.empty() || s.front() == ';' || s.front() == '#') continue;
      if (s.front() == '[') {
        if (in_classes) first_section = false;
        in_classes = same_name(s, "[Classes]");
        if (in_classes && first_section) {
          has_classes = true;
          insert_at = i + 1;
        }
        continue;
      }
      const size_t eq = s.find('=');
      if (!in_classes || eq == 0 || eq == std::string_view::npos) continue;
      entries.push_back({std::string(trim_blanks(s.substr(0, eq))), std::string(trim_blanks(s.substr(eq + 1))), i});
      if (first_section) insert_at = i + 1;
    }
  }

  std::string line_end() const { return crlf ? "\r" : ""; }

  void set(const std::string& cls, const std::string& lib) {
    for (const Entry& e : entries)
      if (same_name(e.cls, cls)) {
        lines[e.line] = cls + "=" + lib + line_end();
        index();
        return;
      }
    if (!has_classes) {
      lines.push_back("[Classes]" + line_end());
      insert_at = lines.size();
    }
    lines.insert(lines.begin() + ptrdiff_t(insert_at), cls + "=" + lib + line_end());
    index();
  }

  bool remove(const std::string& cls) {
    bool found = false;
    for (size_t k = entries.size(); k-- > 0;)
      if (same_name(entries[k].cls, cls)) {
        lines.erase(lines.begin() + ptrdiff_t(entries[k].line));
        found = true;
      }
    if (found) index();
    return found;
  }

  std::string text() const {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
  }
};

// What is known of the file at one moment: a changed file is read again.
struct Stamp {
  bool exists = false;
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  timespec mtime{}, ctime{};
  bool operator==(const Stamp& o) const {
    return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size &&
           mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec &&
           ctime.tv_nsec == o.ctime.tv_nsec;
  }
};

Stamp stamp_of(const std::string& path) {
  Stamp s;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return s;
  s.exists = true;
  s.dev = st.st_dev;
  s.ino = st.st_ino;
  s.size = st.st_size;
  s.mtime = st.st_mtim;
  s.ctime = st.st_ctim;
  return s;
}

// What stands at the registry's path. Only a regular file, or a path where
// nothing stands yet, is read and written. A symbolic link to a regular file
// is followed: its target is read and replaced, and the link stays. Anything
// else (a folder, a FIFO, a device node, a link to one of those or to
// nothing) is read as empty and never opened for writing.
struct Target {
  enum Kind { Missing, Regular, Other } kind = Missing;
  std::string file;  // the regular file (a link's target), or the path itself
};

Target target_of(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return {errno == ENOENT ? Target::Missing : Target::Other, path};
  if (S_ISREG(st.st_mode)) return {Target::Regular, path};
  if (!S_ISLNK(st.st_mode)) return {Target::Other, path};
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return {Target::Other, path};
  const std::string file(real);
  std::free(real);
  if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {Target::Other, path};
  return {Target::Regular, file};
}

struct Read {
  Target target;
  File file;
  bool damaged = false;  // a file, but not one that reads as text
  std::string why;
};

Read read_file(const std::string& path) {
  Read r;
  r.target = target_of(path);
  if (r.target.kind != Target::Regular) return r;
  // Not blocking, and checked again once open: a FIFO put in the file's
  // place meanwhile is not waited on.
  const int fd = ::open(r.target.file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    r.damaged = true;
    r.why = std::strerror(errno);
    return r;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    r.target.kind = Target::Other;
    return r;
  }
  std::string bytes;
  char buf[65536];
  bool failed = false;
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) bytes.append(buf, size_t(n));
    else if (n == 0) break;
    else if (errno != EINTR) {
      failed = true;
      break;
    }
  }
  ::close(fd);
  if (failed || bytes.find('\0') != std::string::npos) {
    r.damaged = true;
    r.why = failed ? "cannot be read" : "not a text file";
    return r;
  }
  r.file = File::parse(bytes);
  return r;
}

// Keeps a damaged file aside under the first free name of "<file>.bak",
// "<file>.bak.1", "<file>.bak.2", ..., never over an existing one, so no
// start loses what an earlier one kept aside. A second link to the file
// needs no room on the disk and leaves the file in place until the new one
// replaces it; where links are refused the file is moved instead (see
// move_without_replacing).
struct Aside {
  std::string name;
  bool moved = false;                // renamed rather than linked
  std::optional<std::string> error;  // why it could not be kept
};

// Renames `from` to `to` unless a file stands there: 0, else the error
// (EEXIST: the name is taken). A file system that refuses rename's flags
// (FAT or SMB through FUSE) has the name claimed first by an empty file made
// here, exclusively, which the plain rename then replaces: what stood there
// before is never replaced either way.
int move_without_replacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
  const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  ::close(fd);
  if (::rename(from.c_str(), to.c_str()) == 0) return 0;
  const int error = errno;
  ::unlink(to.c_str());
  return error;
}

Aside keep_aside(const std::string& file) {
  for (int n = 0; n < 10000; ++n) {
    const std::string aside = file + ".bak" + (n ? "." + std::to_string(n) : "");
    if (::link(file.c_str(), aside.c_str()) == 0) return {aside, false, {}};
    if (errno == EEXIST) continue;
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK)
      return {aside, false, std::strerror(errno)};
    const int error = move_without_replacing(file, aside);
    if (error == 0) return {aside, true, {}};
    if (error == EEXIST) continue;
    return {aside, false, std::strerror(error)};
  }
  return {file + ".bak", false, "every name to keep it aside is taken"};
}

// Puts a file kept aside back where it was, when its replacement failed;
// the reason when it cannot, and stays aside.
std::optional<std::string> take_back(const std::string& file, const Aside& aside) {
  if (!aside.moved) {
    ::unlink(aside.name.c_str());  // a second link: the file never left
    return std::nullopt;
  }
  const int error = move_without_replacing(aside.name, file);
  if (error == 0) return std::nullopt;
  return std::strerror(error);
}

// A registration this process holds in memory because the file could not
// be written: a class with its library, or (empty) a class removed.
struct Held {
  std::string cls;
  std::optional<std::string> lib;
};

// Per registry path: the file as last read, what is held in memory, and
// what this process resolved.
struct Known {
  Stamp stamp;
  bool loaded = false;
  Entries entries;                                   // the file's, then what is held
  std::unordered_map<std::string, size_t> by_class;  // folded name -> first entry
  std::vector<Held> held;
  // The classes this process registered, found usable at its start or
  // created, with their libraries: they stay creatable whatever becomes of
  // the file afterwards (emptied, damaged, deleted, changed by another
  // program), as their libraries stay loaded.
  std::unordered_map<std::string, std::pair<std::string, std::string>> resolved;  // folded name -> entry
};

std::mutex g_mutex;
std::map<std::string, Known> g_known;
// While set, registrations are collected here instead of being stored (to
// learn which classes a library offers).
thread_local Entries* g_capture = nullptr;

void apply_held(Entries& entries, const std::vector<Held>& held) {
  for (const Held& h : held) {
    std::erase_if(entries, [&](const auto& e) { return same_name(e.first, h.cls); });
    if (h.lib) entries.emplace_back(h.cls, *h.lib);
  }
}

void rebuild(Known& k, const File& file) {
  k.entries.clear();
  for (const File::Entry& e : file.entries) k.entries.emplace_back(e.cls, e.lib);
  apply_held(k.entries, k.held);
  k.by_class.clear();
  for (size_t i = 0; i < k.entries.size(); ++i) k.by_class.emplace(folded_name(k.entries[i].first), i);
}

// The registry as it stands, read again only when the file changed.
Known& current(const std::string& path) {
  Known& k = g_known[path];
  const Stamp now = stamp_of(path);
  if (!k.loaded || !(now == k.stamp)) {
    rebuild(k, read_file(path).file);
    k.stamp = now;
    k.loaded = true;
  }
  return k;
}

// The library the file (or what is held) names for a class.
std::optional<std::string> named_library(Known& k, std::string_view class_name) {
  auto it = k.by_class.find(folded_name(class_name));
  if (it == k.by_class.end()) return std::nullopt;
  return k.entries[it->second].second;
}

std::optional<std::string> resolved_library(Known& k, std::string_view class_name) {
  auto it = k.resolved.find(folded_name(class_name));
  if (it == k.resolved.end()) return std::nullopt;
  return it->second.second;
}

void resolve(std::string_view class_name, const std::string& lib) {
  std::lock_guard guard(g_mutex);
  g_known[registry_path()].resolved[folded_name(class_name)] = {std::string(class_name), lib};
}

// An exclusive lock on "<file>.lock" for a read-modify-write of `file`, so
// that processes registering at the same time (parallel tests) do not lose
// each other's entries. The system drops the lock of a process that ends, so a
// lock left by a dead process never delays anyone. `flock` needs no right to
// write: the lock file is opened for reading (for writing where only that is
// allowed), so a lock file another user made (root, or one a group shares)
// still locks. Where no lock can be had at all, `held()` is false and says
// why: the update must then write nothing. A lock file this update made is
// taken away again when nothing was written: whoever waits on it finds it
// gone and takes a new one.
class Lock {
 public:
  explicit Lock(const std::string& file) : name_(file + ".lock") {
    // Not blocking on open: a FIFO put at the lock's name is not waited on.
    constexpr int kFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int attempt = 0; attempt < 8; ++attempt) {
      created_ = false;
      fd_ = ::open(name_.c_str(), O_RDONLY | kFlags);
      if (fd_ < 0 && errno == EACCES) fd_ = ::open(name_.c_str(), O_WRONLY | kFlags);
      if (fd_ < 0 && errno == ENOENT) {
        fd_ = ::open(name_.c_str(), O_RDONLY | O_CREAT | O_EXCL | kFlags, 0644);
        created_ = fd_ >= 0;
        if (fd_ < 0 && errno == EEXIST) {
          // Not found, yet taken: a link to nothing stands there, which
          // retrying does not change.
          struct stat st {};
          if (::lstat(name_.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::stat(name_.c_str(), &st) != 0) {
            error_ = name_ + " is a link to nothing";
            return;
          }
          continue;
        }
      }
      if (fd_ < 0) {
        error_ = name_ + ": " + std::strerror(errno);
        return;
      }
      while (::flock(fd_, LOCK_EX) != 0)
        if (errno != EINTR) {
          error_ = name_ + " cannot be locked: " + std::strerror(errno);
          release(false);
          return;
        }
      // Still the file of that name (a program that deletes its lock file
      // may have replaced it meanwhile)?
      if (still_named()) return;
      release(false);
    }
    error_ = name_ + " is replaced again and again";
  }
  ~Lock() { release(false); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  bool held() const { return fd_ >= 0; }
  const std::string& error() const { return error_; }
  // Gives the lock up for the rest of the update, with the reason.
  void refuse(std::string why) {
    release(true);
    error_ = std::move(why);
  }

  // Unlocks; with `drop_made`, first takes away the lock file this lock made.
  void release(bool drop_made) {
    if (fd_ < 0) return;
    if (drop_made && created_ && still_named()) ::unlink(name_.c_str());
    ::close(fd_);
    fd_ = -1;
  }

 private:
  bool still_named() const {
    struct stat held {}, named {};
    return ::fstat(fd_, &held) == 0 && ::stat(name_.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
           held.st_dev == named.st_dev;
  }

  std::string name_;
  int fd_ = -1;
  bool created_ = false;
  std::string error_;
};

// The folders above the registry that do not exist yet, made for a write;
// taken away again when the write fails, so that a failed first
// registration leaves nothing behind.
class Folders {
 public:
  explicit Folders(const std::string& file) {
    // By bytes: a folder whose name is not text in the locale's encoding is
    // still the one named.
    const size_t last = file.rfind('/');
    std::string dir = last == std::string::npos ? std::string() : file.substr(0, last);
    if (file.front() != '/') {
      char* cwd = ::getcwd(nullptr, 0);
      if (!cwd) {
        error_ = std::strerror(errno);
        return;
      }
      dir = std::string(cwd) + (dir.empty() ? "" : "/" + dir);
      std::free(cwd);
    }
    if (dir.empty()) return;  // the root folder
    for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
      const std::string level = dir.substr(0, slash);
      if (::mkdir(level.c_str(), 0777) == 0) made_.push_back(level);
      else if (errno != EEXIST) {
        error_ = std::strerror(errno);
        return;
      }
      if (slash == std::string::npos) return;
    }
  }
  const std::optional<std::string>& error() const { return error_; }
  void take_away() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) ::rmdir(it->c_str());
    made_.clear();
  }

 private:
  std::vector<std::string> made_;
  std::optional<std::string> error_;
};

// Writes every byte to `fd`; the reason when it cannot.
std::optional<std::string> write_all(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n > 0) done += size_t(n);
    else if (n == 0) return std::strerror(ENOSPC);  // no progress: no room
    else if (errno != EINTR) return std::strerror(errno);
  }
  return std::nullopt;
}

// Replaces `file` with `text`, or changes nothing: the new text goes to a
// file of its own beside it, which replaces the old one only once it is
// completely on the disk; on any failure (no room, an I/O error, a short
// write, a failing sync, close or rename) it is removed again and the old
// file stays as it was (or absent, when there was none). A damaged file is
// kept aside just before it is replaced. Gives the reason on failure, and
// where a damaged file was kept.
struct Replaced {
  std::optional<std::string> failure;
  std::string kept_as;
  // A damaged file moved aside that could not be put back: why not.
  std::optional<std::string> not_put_back;
};

Replaced replace_file(const std::string& file, const std::string& text, bool damaged) {
  struct stat old {};
  const bool existed = ::stat(file.c_str(), &old) == 0;
  std::string temp;
  int fd = -1;
  for (int n = 0; fd < 0; ++n) {
    temp = file + ".new." + std::to_string(::getpid()) + "." + std::to_string(n);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || n == 100)) return {std::strerror(errno), {}, {}};
  }
  // The old file's permissions; a damaged file's with its owner's reading
  // and writing (it may be damaged for want of them). A file system that
  // keeps no modes (FAT, some network shares) takes the file without.
  std::optional<std::string> failure;
  const mode_t mode = (old.st_mode & 07777) | (damaged ? S_IRUSR | S_IWUSR : 0);
  if (existed && ::fchmod(fd, mode) != 0 && errno != ENOSYS && errno != EOPNOTSUPP) failure = std::strerror(errno);
  if (!failure) failure = write_all(fd, text);
  if (!failure && ::fsync(fd) != 0) failure = std::strerror(errno);
  if (::close(fd) != 0 && !failure) failure = std::strerror(errno);
  Aside aside;
  if (!failure && damaged) {
    aside = keep_aside(file);
    if (aside.error) failure = "it cannot be kept aside (" + *aside.error + ")";
  }
  std::optional<std::string> not_put_back;
  if (!failure && ::rename(temp.c_str(), file.c_str()) != 0) {
    failure = std::strerror(errno);
    if (damaged) not_put_back = take_back(file, aside);
  }
  if (failure) {
    ::unlink(temp.c_str());
    return {failure, not_put_back ? aside.name : std::string(), not_put_back};
  }
  return {std::nullopt, damaged ? aside.name : std::string(), std::nullopt};
}

// Removes the temporary files ("<file>.new.<pid>.<n>") of writers killed
// before they could clean up. Called under the lock, which every writer
// holds while its temporary file exists, and only for processes that no
// longer exist.
void remove_dead_temporaries(const std::string& file) {
  const size_t slash = file.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
  const std::string prefix = file.substr(slash + 1) + ".new.";  // (npos + 1 is 0)
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  while (const dirent* e = ::readdir(d)) {
    const std::string_view name(e->d_name);
    if (!name.starts_with(prefix)) continue;
    const std::string_view rest = name.substr(prefix.size());
    pid_t pid = 0;
    unsigned n = 0;
    const auto [dot, bad_pid] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (bad_pid != std::errc() || pid <= 0 || dot == rest.data() + rest.size() || *dot != '.') continue;
    const auto [end, bad_n] = std::from_chars(dot + 1, rest.data() + rest.size(), n);
    if (bad_n != std::errc() || end != rest.data() + rest.size()) continue;
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;  // alive, or another user's live process
    ::unlinkat(::dirfd(d), e->d_name, 0);
  }
  ::closedir(d);
}

// Read-modify-write of the file under the lock. When the file cannot be
// written (or must not be: see Target) the change is held in memory for the
// life of the process, with a warning, and the disk is left as it was.
template <class Change>
auto update(Change&& change) {
  const std::string path = registry_path();
  std::lock_guard guard(g_mutex);
  // The folder first, so that a first registration is locked too.
  Folders folders(path);
  // Locked beside the file that is written, a link's target: updates through
  // the link and through the target's own name exclude each other. A link
  // changed before the lock was had names another file, whose lock is then
  // taken instead.
  std::optional<Lock> locked;
  Read r;
  for (int attempt = 0;; ++attempt) {
    const std::string file = target_of(path).file;
    locked.emplace(file);
    r = read_file(path);
    if (r.target.file == file) break;
    if (attempt == 7) {
      locked->refuse(path + " is linked to another file again and again");
      break;
    }
    locked->release(true);
  }
  Lock& lock = *locked;
  if (lock.held() && r.target.kind != Target::Other) remove_dead_temporaries(r.target.file);
  Known& k = g_known[path];
  std::vector<Held> held = k.held;
  const std::string as_read = r.file.text();
  // What is held from earlier failures goes to the file with this change.
  for (const Held& h : held) {
    if (h.lib) r.file.set(h.cls, *h.lib);
    else r.file.remove(h.cls);
  }
  auto result = change(r.file, held);
  std::optional<std::string> failure;
  // A file that already says it all is left alone: an unchanged
  // registration is stored even where the file cannot be written.
  const bool unchanged = r.target.kind == Target::Regular && !r.damaged && r.file.text() == as_read;
  bool written = false;
  if (r.target.kind == Target::Other) {
    failure = "it is not a regular file";
  } else if (!unchanged && folders.error()) {
    failure = "its folder cannot be made: " + *folders.error();
  } else if (!unchanged && !lock.held()) {
    // Written unlocked, another process's update could be lost unseen.
    failure = "it cannot be locked (" + lock.error() + ")";
  } else if (!unchanged) {
    const Replaced done = replace_file(r.target.file, r.file.text(), r.damaged);
    if (done.not_put_back) {
      // Two failures in a row: the damaged bytes are only where they were
      // moved, and the file (or the empty one that claimed its name) is
      // not what it was.
      struct stat st {};
      const std::string now = ::lstat(r.target.file.c_str(), &st) != 0 ? "absent until the next update writes it"
                              : st.st_size == 0 ? "empty until the next update writes it"
                                                : "one another program put there meanwhile";
      failure = "it is damaged (" + r.why + ") and could not be replaced (" + *done.failure + "), nor put back (" +
                *done.not_put_back + "): its bytes are in " + done.kept_as + ", and the registry file is " + now;
    } else if (done.failure && r.damaged) {
      failure = "it is damaged (" + r.why + ") and stays as it is: " + *done.failure;
    } else {
      failure = done.failure;
    }
    written = !failure;
    if (written && !done.kept_as.empty())
      std::fprintf(stderr, "The class registry %s was damaged (%s); it was kept as %s and is written anew\n",
                   path.c_str(), r.why.c_str(), done.kept_as.c_str());
  }
  if (!written) {
    lock.release(true);
    folders.take_away();
  }
  if (failure) {
    std::fprintf(stderr, "Cannot write the class registry %s: %s; the registration holds for this run only\n",
                 path.c_str(), failure->c_str());
    k.held = std::move(held);
  } else {
    k.held.clear();
  }
  k.loaded = false;  // read again at the next lookup
  return result;
}

// Refuses what a registry line cannot hold: the name would never be found
// again, or the line would break the file.
void check_storable(std::string_view class_name, std::string_view library_path) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool bad_name = class_name.empty() || class_name.find_first_of("=\n\r") != std::string_view::npos ||
                        class_name.find('\0') != std::string_view::npos || class_name.front() == '[' ||
                        class_name.front() == ';' || class_name.front() == '#' || blank(class_name.front()) ||
                        blank(class_name.back());
  if (bad_name)
    throw RuntimeError(kErrInvalidCall, "The class name '" + std::string(class_name) +
                                            "' cannot be stored in the class registry");
  const bool bad_path = library_path.empty() || library_path.find_first_of("\n\r") != std::string_view::npos ||
                        library_path.find('\0') != std::string_view::npos || blank(library_path.front()) ||
                        blank(library_path.back());
  if (bad_path)
    throw RuntimeError(kErrInvalidCall, "The library path '" + std::string(library_path) +
                                            "' cannot be stored in the class registry");
}

// The ELF class, byte order and machine of this program: a library of
// another is not one it can load.
#if UINTPTR_MAX > 0xffffffffu
using ElfHeader = Elf64_Ehdr;
using ElfSegment = Elf64_Phdr;
using ElfSection = Elf64_Shdr;
constexpr unsigned char kElfClass = ELFCLASS64;
#else
using ElfHeader = Elf32_Ehdr;
using ElfSegment = Elf32_Phdr;
using ElfSection = Elf32_Shdr;
constexpr unsigned char kElfClass = ELFCLASS32;
#endif
constexpr unsigned char kElfData = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;
#if defined(__x86_64__)
constexpr int kElfMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr int kElfMachine = EM_AARCH64;
#elif defined(__i386__)
constexpr int kElfMachine = EM_386;
#elif defined(__arm__)
constexpr int kElfMachine = EM_ARM;
#elif defined(__riscv)
constexpr int kElfMachine = EM_RISCV;
#elif defined(__powerpc64__)
constexpr int kElfMachine = EM_PPC64;
#elif defined(__powerpc__)
constexpr int kElfMachine = EM_PPC;
#elif defined(__s390__)
constexpr int kElfMachine = EM_S390;
#else
constexpr int kElfMachine = EM_NONE;  // not checked here: the loader says
#endif

// Reads up to `size` bytes at `offset`; the count read, -1 on an error.
ssize_t read_at(int fd, void* to, size_t size, off_t offset) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, static_cast<char*>(to) + done, size - done, offset + off_t(done));
    if (n > 0) done += size_t(n);
    else if (n == 0) break;
    else if (errno != EINTR) return -1;
  }
  return ssize_t(done);
}

// Why `file` must not be handed to the system's loader, if it must not:
// the loader waits forever to open a FIFO, and maps a library's segments
// as they are declared, dying of SIGBUS on touching a page past the end of
// a file cut short (an interrupted copy, a full disk). So only a regular
// file that is a whole shared library of this machine goes on: an ELF file
// of its class, whose loadable segments and tables lie inside it.
std::optional<std::string> unloadable(const std::string& file) {
  struct stat st {};
  // Looked at before it is opened: opening a device can do something.
  if (::stat(file.c_str(), &st) != 0) return file + ": " + std::strerror(errno);
  if (!S_ISREG(st.st_mode)) return file + " is not a file";
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return file + ": " + std::strerror(errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  if (::fstat(fd, &st) != 0) return file + ": " + std::strerror(errno);
  if (!S_ISREG(st.st_mode)) return file + " is not a file";  // replaced meanwhile
  const auto size = uint64_t(st.st_size);
  const std::string cut = file + " is cut short", not_library = file + " is not a library";
  auto unreadable = [&] { return file + " cannot be read: " + std::strerror(errno); };
  // Whether `count` entries of `each` bytes from `offset` lie inside the file.
  auto inside = [&](uint64_t offset, uint64_t count, uint64_t each) {
    return offset <= size && count <= (size - offset) / each;
  };

  // The bytes at `offset`, all of them: else why not.
  auto read_whole = [&](void* to, size_t count, uint64_t offset) -> std::optional<std::string> {
    const ssize_t n = read_at(fd, to, count, off_t(offset));
    if (n < 0) return unreadable();
    if (size_t(n) < count) return cut;  // shortened meanwhile
    return std::nullopt;
  };

  ElfHeader h{};
  const ssize_t got = read_at(fd, &h, sizeof h, 0);
  if (got < 0) return unreadable();
  if (got == 0) return file + " is empty";
  if (std::memcmp(h.e_ident, ELFMAG, std::min<size_t>(size_t(got), SELFMAG)) != 0) return not_library;
  if (size_t(got) < sizeof h) return cut;
  if (h.e_ident[EI_CLASS] != kElfClass || h.e_ident[EI_DATA] != kElfData ||
      (kElfMachine != EM_NONE && h.e_machine != kElfMachine))
    return file + " is not a library of this machine";
  if (h.e_type != ET_DYN || h.e_phentsize != sizeof(ElfSegment)) return not_library;
  uint64_t segments = h.e_phnum;
  if (h.e_shoff != 0) {
    // The section table, the last thing a copy writes of a library not
    // stripped of it; its first entry holds the counts too large for the
    // header.
    if (h.e_shentsize != sizeof(ElfSection)) return not_library;
    uint64_t sections = h.e_shnum;
    if (sections == 0 || segments == PN_XNUM) {
      ElfSection first{};
      if (!inside(h.e_shoff, 1, sizeof first)) return cut;
      if (auto why = read_whole(&first, sizeof first, h.e_shoff)) return why;
      if (sections == 0) sections = first.sh_size;
      if (segments == PN_XNUM) segments = first.sh_info;
    }
    if (!inside(h.e_shoff, sections, sizeof(ElfSection))) return cut;
  } else if (segments == PN_XNUM) {
    return not_library;
  }
  if (segments == 0) return not_library;
  if (!inside(h.e_phoff, segments, sizeof(ElfSegment))) return cut;
  std::vector<ElfSegment> table(segments);
  if (auto why = read_whole(table.data(), table.size() * sizeof(ElfSegment), h.e_phoff)) return why;
  bool loads = false;
  for (const ElfSegment& s : table)
    if (s.p_type == PT_LOAD) {
      loads = true;
      if (!inside(s.p_offset, s.p_filesz, 1)) return cut;
    }
  if (!loads) return not_library;
  return std::nullopt;
}

// Loads a library once (they stay loaded), after making sure the loader
// can be given it; else null, and `error` says why, naming the file.
void* open_library(const std::string& path, std::string& error) {
  static std::map<std::string, void*> loaded;
  auto it = loaded.find(path);
  if (it != loaded.end()) return it->second;
  // A name without a folder would send the loader searching its own
  // folders, past the file checked here: it names a file of this folder.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  if (std::optional<std::string> why = unloadable(file)) {
    error = std::move(*why);
    return nullptr;
  }
  void* h = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    const char* e = dlerror();
    error = file + " cannot be loaded" + (e ? std::string(": ") + e : std::string());
    return nullptr;
  }
  loaded.emplace(path, h);
  return h;
}

[[noreturn]] void cannot_create(std::string_view class_name, const std::string& why) {
  throw RuntimeError(kErrCantCreate, "Can't create object of class '" + std::string(class_name) + "': " + why +
                                         " (class registry " + registry_path() + ")");
}

// `path` made absolute and clean, as the library loaded from it registers
// itself (under the name it was loaded by, read as text); none when that
// name is not text, which would give back another name.
std::optional<std::string> absolute(const std::string& path) {
  const std::string full = full_path(path);
  if (!is_text_name(full)) return std::nullopt;
  return QFileInfo(QString::fromLocal8Bit(full.c_str())).absoluteFilePath().toLocal8Bit().toStdString();
}

// A library loaded from `path`, else why not, naming it.
struct Loaded {
  void* handle = nullptr;
  std::string file;  // absolute
  std::string why;
};

Loaded load(const std::string& path) {
  Loaded l;
  const std::optional<std::string> abs = absolute(path);
  if (!abs) {
    l.file = full_path(path);
    l.why = "the name of " + l.file + " is not UTF-8 text; such a library is not supported";
    return l;
  }
  l.file = *abs;
  l.handle = open_library(l.file, l.why);
  return l;
}

void call_entry(const std::string& path, const char* entry) {
  const Loaded l = load(path);
  if (!l.handle) throw RuntimeError(kErrInvalidCall, l.why);
  auto fn = reinterpret_cast<RegisterFn>(dlsym(l.handle, entry));
  if (!fn) throw RuntimeError(kErrInvalidCall, l.file + " is not a control library (no " + entry + ")");
  if (fn() != 0) throw RuntimeError(kErrInvalidCall, std::string(entry) + " of " + l.file + " failed");
}

// The classes a library registers, with the paths it registers them under,
// learnt by calling its registration entry without storing anything.
Entries offered_by(const std::string& path) {
  Entries offered;
  Entries* outer = std::exchange(g_capture, &offered);
  try {
    call_entry(path, kRegisterEntry);
  } catch (...) {
    g_capture = outer;
    throw;
  }
  g_capture = outer;
  return offered;
}

// Stores the classes in the file, or holds them when it cannot be written;
// either way this process has resolved them.
void store(const Entries& classes) {
  if (classes.empty()) return;
  update([&](File& f, std::vector<Held>& held) {
    for (const auto& entry : classes) {
      f.set(entry.first, entry.second);
      std::erase_if(held, [&](const Held& h) { return same_name(h.cls, entry.first); });
      held.push_back({entry.first, entry.second});
    }
    return 0;
  });
  for (const auto& [cls, lib] : classes) resolve(cls, lib);
}

// A new object of the class from one library.
std::shared_ptr<Control> create_from(const std::string& lib, std::string_view class_name) {
  std::string error;
  void* h = open_library(lib, error);
  if (!h) cannot_create(class_name, error);
  auto create = reinterpret_cast<CreateFn>(dlsym(h, kCreateEntry));
  if (!create) cannot_create(class_name, "its library " + lib + " has no entry point " + kCreateEntry);
  Control* obj = nullptr;
  try {
    obj = create(std::string(class_name).c_str());
  } catch (const std::exception& e) {
    cannot_create(class_name, e.what());
  }
  if (!obj) cannot_create(class_name, "its library " + lib + " does not provide it");
  return std::shared_ptr<Control>(obj);
}

}  // namespace

// From the environment's bytes, never decoded: a home whose name is not text
// in the locale's encoding is still the real one. A relative XDG_DATA_HOME
// is not valid and is ignored, as the base-directory rules say.
std::string registry_path() {
  if (const char* env = std::getenv("BRENDALO_REGISTRY"); env && *env) return env;
  auto folder = [](std::string dir) {
    while (!dir.empty() && dir.back() == '/') dir.pop_back();
    return dir;
  };
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
    return folder(data) + "/brendalo/registry.ini";
  std::string home;
  if (const char* env = std::getenv("HOME"); env && *env) home = env;
  else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
  return folder(home) + "/.local/share/brendalo/registry.ini";
}

void register_class(std::string_view class_name, std::string_view library_path) {
  check_storable(class_name, library_path);
  if (g_capture) {
    g_capture->emplace_back(std::string(class_name), std::string(library_path));
    return;
  }
  store({{std::string(class_name), std::string(library_path)}});
}

bool unregister_class(std::string_view class_name) {
  if (!registered_library(class_name)) return false;
  const std::string cls(class_name);
  update([&](File& f, std::vector<Held>& held) {
    f.remove(cls);
    std::erase_if(held, [&](const Held& h) { return same_name(h.cls, cls); });
    held.push_back({cls, std::nullopt});
    return 0;
  });
  std::lock_guard guard(g_mutex);
  g_known[registry_path()].resolved.erase(folded_name(cls));
  return true;
}

std::optional<std::string> registered_library(std::string_view class_name) {
  std::lock_guard guard(g_mutex);
  Known& k = current(registry_path());
  if (auto named = named_library(k, class_name)) return named;
  return resolved_library(k, class_name);
}

std::vector<std::pair<std::string, std::string>> registered_classes() {
  std::lock_guard guard(g_mutex);
  Known& k = current(registry_path());
  Entries resolved;
  for (const auto& [folded, entry] : k.resolved)
    if (!k.by_class.contains(folded)) resolved.push_back(entry);
  std::sort(resolved.begin(), resolved.end());
  Entries all = k.entries;
  all.insert(all.end(), resolved.begin(), resolved.end());
  return all;
}

void forget_registrations() {
  std::lock_guard guard(g_mutex);
  g_known.clear();
}

bool registry_written() { return held_classes().empty(); }

std::vector<std::string> held_classes() {
  std::lock_guard guard(g_mutex);
  std::vector<std::string> classes;
  for (const Held& h : g_known[registry_path()].held) classes.push_back(h.cls);
  return classes;
}

std::shared_ptr<Control> create_object(std::string_view class_name) {
  std::optional<std::string> named, kept;
  {
    std::lock_guard guard(g_mutex);
    Known& k = current(registry_path());
    named = named_library(k, class_name);
    kept = resolved_library(k, class_name);
  }
  if (!named && !kept) cannot_create(class_name, "the class is not registered");
  // The library the file names now, else the one this process resolved
  // the class to before (the file may since name one that fails).
  std::vector<std::string> libs;
  if (named) libs.push_back(*named);
  if (kept && kept != named) libs.push_back(*kept);
  std::optional<RuntimeError> first;
  for (const std::string& lib : libs) {
    try {
      std::shared_ptr<Control> obj = create_from(lib, class_name);
      resolve(class_name, lib);
      return obj;
    } catch (const RuntimeError& e) {
      if (!first) first = e;
    }
  }
  throw *first;
}

std::string library_path_of(const void* address) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname) return {};
  return absolute(info.dli_fname).value_or(std::string());
}

std::string full_path(const std::string& path) {
  if (path.starts_with('/')) return path;
  char* cwd = ::getcwd(nullptr, 0);
  if (!cwd) return path;
  std::string full(cwd);
  std::free(cwd);
  return full + (full.ends_with('/') ? "" : "/") + path;
}

bool is_text_name(const std::string& name) {
  return QString::fromLocal8Bit(name.data(), qsizetype(name.size())).toLocal8Bit().toStdString() == name;
}

std::vector<std::string> library_files_in(const std::string& dir) {
  std::vector<std::string> names, paths;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return paths;
  while (const dirent* e = ::readdir(d)) {
    const std::string_view name(e->d_name);
    if (!name.starts_with('.') && name.ends_with(".so")) names.emplace_back(name);
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  const std::string in = dir.ends_with('/') ? dir : dir + "/";
  for (const std::string& name : names) {
    struct stat st {};
    if (::stat((in + name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) paths.push_back(in + name);
  }
  return paths;
}

bool is_control_library(const std::string& path, std::string* why) {
  const Loaded l = load(path);
  if (!l.handle && why) *why = l.why;
  return l.handle && dlsym(l.handle, kRegisterEntry);
}

std::vector<std::string> register_library(const std::string& path) {
  const Entries offered = offered_by(path);
  store(offered);
  std::vector<std::string> classes;
  for (const auto& [cls, lib] : offered) classes.push_back(cls);
  return classes;
}

void unregister_library(const std::string& path) { call_entry(path, kUnregisterEntry); }

std::vector<std::string> register_libraries_in(const std::string& dir, bool only_new) {
  std::vector<std::string> done;
  // Which classes each library here offers.
  Entries offered;
  for (const std::string& lib : library_files_in(dir)) {
    std::string why;
    if (!is_control_library(lib, &why)) {
      if (!why.empty()) std::fprintf(stderr, "%s\n", why.c_str());
      continue;
    }
    try {
      for (auto& e : offered_by(lib)) offered.push_back(std::move(e));
    } catch (const RuntimeError& e) {
      std::fprintf(stderr, "%s\n", e.description.c_str());
    }
  }
  // With `only_new`, the classes the registry lacks: not named, or named
  // under a library that cannot be loaded or does not offer them.
  std::map<std::string, Entries> others;  // what other libraries offer, learnt once
  auto offers = [&](const std::string& lib, const std::string& cls) {
    auto it = others.find(lib);
    if (it == others.end()) {
      Entries e;
      try {
        if (is_control_library(lib)) e = offered_by(lib);
      } catch (const RuntimeError&) {
      }
      it = others.emplace(lib, std::move(e)).first;
    }
    for (const auto& [c, l] : it->second)
      if (same_name(c, cls)) return true;
    return false;
  };
  // What the file names, not what this process resolved before: a class
  // the file lacks is written to it again.
  auto named = [&](const std::string& cls) {
    std::lock_guard guard(g_mutex);
    return named_library(current(registry_path()), cls);
  };
  Entries lacking;
  for (const auto& [cls, lib] : offered) {
    const std::optional<std::string> known = only_new ? named(cls) : std::nullopt;
    if (known && (*known == lib || offers(*known, cls))) {
      resolve(cls, *known);  // found in the file: creatable from now on
      continue;
    }
    lacking.emplace_back(cls, lib);
  }
  store(lacking);
  for (const auto& [cls, lib] : lacking) done.push_back(cls);
  return done;
}

}  // namespace plat::com
