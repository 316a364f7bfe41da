#pragma once
// A file system that refuses: a small tmpfs mounted over a folder for one
// test and filled, so that a write fails with "No space left on device"
// (cut short first when a page or so is left free).
//
// The mount is made in a mount namespace of the test's own, so it never
// outlives the test process and no other process sees it; a process that
// may not mount (not privileged) gets the reason, and the test skips.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace brendalo {

class FullDisk {
 public:
  static constexpr size_t kPage = 4096;  // the tmpfs's unit of room

  FullDisk() = default;
  ~FullDisk() {
    if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  // Mounts a 64 KiB tmpfs over the folder `dir`; "" when it worked, else why
  // it could not.
  std::string mount(const std::string& dir) {
    static const int unshared = [] {
      if (::unshare(CLONE_NEWNS) != 0) return errno;
      // Mounts made from here on stay in this namespace.
      return ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 ? 0 : errno;
    }();
    if (unshared) return std::string("no mount namespace of its own: ") + std::strerror(unshared);
    if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
      return std::string("no tmpfs over ") + dir + ": " + std::strerror(errno);
    dir_ = dir;
    mounted_ = true;
    return {};
  }

  // Fills the file system with the file "filler" but `spare_pages` pages.
  // False when it could not.
  bool fill(size_t spare_pages = 0) {
    const std::string spare = dir_ + "/spare", filler = dir_ + "/filler";
    if (spare_pages && !write_until_full(spare, spare_pages * kPage)) return false;
    if (!write_until_full(filler, size_t(-1))) return false;
    return !spare_pages || ::unlink(spare.c_str()) == 0;
  }

  // Frees what fill took.
  void empty() { ::unlink((dir_ + "/filler").c_str()); }

 private:
  // Writes up to `bytes` bytes into a new file, stopping quietly when the
  // file system is full; false on any other failure.
  static bool write_until_full(const std::string& path, size_t bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    static const char page[kPage] = {};
    bool ok = true;
    for (size_t done = 0; done < bytes;) {
      const ssize_t n = ::write(fd, page, std::min(kPage, bytes - done));
      if (n > 0) done += size_t(n);
      else if (n < 0 && errno == EINTR) continue;
      else {
        ok = n < 0 && errno == ENOSPC;
        break;
      }
    }
    return ::close(fd) == 0 && ok;
  }

  std::string dir_;
  bool mounted_ = false;
};

}  // namespace brendalo
