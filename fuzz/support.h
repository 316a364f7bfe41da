#pragma once
// What the fuzz targets share: an offscreen application with the control
// libraries built beside the target registered in a registry of its own, a
// reader that turns the fuzzer's bytes into choices, and the automation
// values a careless host may pass (wrong kinds, NaN, huge and negative
// numbers, long and odd strings, references, objects).
//
// A target defines LLVMFuzzerTestOneInput; built with libFuzzer it is run by
// the fuzzer, built as a test it is run by replay.cpp on every stored input.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/control.h"
#include "platform/com/dispatch.h"
#include "platform/com/font.h"
#include "platform/com/property_bag.h"
#include "platform/com/registry.h"

namespace fuzz {

using namespace plat::com;

// A check that must hold whatever the input: a failure is a finding.
#define FUZZ_CHECK(cond)                                                         \
  do {                                                                           \
    if (!(cond)) {                                                               \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                              \
    }                                                                            \
  } while (0)

// The application, once per process, with a registry of its own in a
// temporary folder holding the control libraries beside the executable.
inline QApplication& app() {
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  static QTemporaryDir* registry_dir = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto* d = new QTemporaryDir;
    setenv("BRENDALO_REGISTRY", d->filePath("registry.ini").toLocal8Bit().constData(), 1);
    // Gone when the fuzzer exits, without Qt (whose own statics may be
    // gone by then).
    static const std::string path = d->path().toLocal8Bit().toStdString();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    });
    return d;
  }();
  static QApplication* a = [] {
    auto* made = new QApplication(argc, argv);
    register_libraries_in(QCoreApplication::applicationDirPath().toStdString(), false);
    return made;
  }();
  (void)registry_dir;
  return *a;
}

// Closes the modal window (the about box) that the next call opens.
inline void close_modal_soon() {
  QTimer::singleShot(0, [] {
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
}

// The fuzzer's bytes read as choices; past the end every read gives 0.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
  bool done() const { return p_ >= end_; }
  size_t left() const { return size_t(end_ - p_); }
  uint8_t byte() { return done() ? 0 : *p_++; }
  uint16_t u16() { return uint16_t(byte() | byte() << 8); }
  uint32_t u32() { return uint32_t(u16()) | uint32_t(u16()) << 16; }
  uint64_t u64() { return uint64_t(u32()) | uint64_t(u32()) << 32; }
  bool flag() { return byte() & 1; }
  // One of `n` choices.
  size_t pick(size_t n) { return n ? byte() % n : 0; }
  template <class T, size_t N>
  const T& pick(const T (&options)[N]) {
    return options[pick(N)];
  }
  // Up to `max` raw bytes, length first.
  std::string bytes(size_t max) {
    size_t n = std::min<size_t>(byte(), max);
    n = std::min(n, left());
    std::string s(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    return s;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

// Numbers and texts that hosts get wrong.
inline const int32_t kLongs[] = {0, 1, -1, 2, 3, 5, 8, 10, 15, 16, 31, 32, 255, 1000, 32767, 32768, -32768, -32769,
                                 65535, 100000, 4194304, std::numeric_limits<int32_t>::max(),
                                 std::numeric_limits<int32_t>::min()};
inline const double kReals[] = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 1e-300, 32767.5, 32768.0, -32768.5, 2147483647.5,
                                1e10, -1e10, 1e308, -1e308, std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::denorm_min()};
inline const char* const kTexts[] = {"", " ", "1", "-1", "0", "1e5", "&H8000000F", "&HFFFFFFFF", "True", "False",
                                     "NaN", "Inf", "1,5", "  12  ", "32768", "%s%s%s%n", "%x%x%x", "{0}{1}",
                                     "\t", "a\tb\tc", "\t\t\t", "|", ";", "<a|^b|>c;r1;r2", "|||;;;", "^", "<",
                                     "\r\n", "\xff\xfe\xfd", "\xc3\xa1\xc3\xb1", "\xe2\x80\xae", "\0x",
                                     "-----ALDATUA-----", "NadrelControl.Nadrel", "Refresh", "hWnd"};

// Objects a host may pass where the members expect a value or an object.
class Objects;

// A host's recordset: every answer comes from the input, and any member
// may fail.
class Recordset final : public Dispatch {
 public:
  Recordset(Input& in, int depth) : in_(in), depth_(depth) {}
  const TypeInfo& type_info() const override;

 protected:
  Variant dispatch(DispId id, CallKind kind, std::span<Variant> args) override;

 private:
  Input& in_;
  int depth_;
};

// Values and the variants they are passed in. References point at earlier
// values only, so no reference chain loops.
class Values {
 public:
  explicit Values(Input& in) : in_(in) {}

  Variant value(int depth = 0) {
    switch (in_.pick(16)) {
      case 0: return {};
      case 1: return Variant::null();
      case 2: return Variant::missing();
      case 3: return Variant::i2(int16_t(in_.flag() ? in_.u16() : uint16_t(in_.pick(kLongs))));
      case 4: return Variant(in_.flag() ? int32_t(in_.u32()) : in_.pick(kLongs));
      case 5: return Variant(int32_t(in_.pick(40)) - 4);
      case 6: return Variant::r4(float(real()));
      case 7: return Variant(real());
      case 8: return Variant(in_.flag());
      case 9: return Variant::color(in_.flag() ? in_.u32() : uint32_t(0x80000000u | in_.pick(64)));
      case 10: return Variant(std::string(in_.pick(kTexts)));
      case 11: return Variant(in_.bytes(64));
      case 12: return Variant(long_text());
      case 13: return object(depth);
      case 14:
        if (depth < 2 && !pool_.empty()) return Variant::by_ref(&pool_[in_.pick(pool_.size())]);
        return Variant(int32_t(in_.pick(8)));
      default: {
        // Kept so later references can point at it.
        pool_.push_back(value(depth + 1));
        return Variant::by_ref(&pool_.back());
      }
    }
  }

  double real() {
    if (in_.flag()) return in_.pick(kReals);
    const uint64_t bits = in_.u64();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }

  // A text of up to 70 000 characters: a pattern repeated.
  std::string long_text() {
    const std::string unit = in_.flag() ? std::string(in_.pick(kTexts)) : in_.bytes(8);
    const size_t n = size_t(in_.u16()) + (in_.flag() ? 4000 : 0);
    std::string out;
    if (unit.empty()) return std::string(n % 70000, 'x');
    while (out.size() < n) out += unit;
    return out;
  }

  Variant object(int depth) {
    switch (in_.pick(extra_objects_.empty() ? 4 : 5)) {
      case 0: return Variant::nothing();
      case 1: {
        FontProps p;
        p.name = in_.flag() ? std::string(in_.pick(kTexts)) : "Liberation Sans";
        p.size = real();
        p.bold = in_.flag();
        return Variant(Font::create(p));
      }
      case 2:
        if (depth < 3) return Variant(std::make_shared<Recordset>(in_, depth + 1));
        return Variant::nothing();
      case 3: return Variant(std::make_shared<Recordset>(in_, 3));
      default: {
        std::shared_ptr<Dispatch> o = extra_objects_[in_.pick(extra_objects_.size())].lock();
        return o ? Variant(std::move(o)) : Variant::nothing();
      }
    }
  }

  // Objects of the target's own to pass as arguments (list views, the
  // controls themselves). Held weakly: the target decides how long each
  // lives, and a value passed holds it as a host's variable would.
  void add_object(const std::shared_ptr<Dispatch>& o) { extra_objects_.push_back(o); }

  // The arguments of a call: mostly as many as the member takes, sometimes
  // any number.
  std::vector<Variant> args(size_t usual) {
    size_t n = usual;
    if (in_.pick(8) == 0) n = in_.pick(7);
    std::vector<Variant> out;
    for (size_t i = 0; i < n; ++i) out.push_back(value());
    return out;
  }

 private:
  Input& in_;
  std::deque<Variant> pool_;
  std::vector<std::weak_ptr<Dispatch>> extra_objects_;
};

// A member of an interface chosen by the input: mostly a real slot (its
// identifier, kind and usual number of arguments), sometimes anything.
struct Member {
  DispId id;
  CallKind kind;
  size_t usual_args;
};
inline Member member(Input& in, const TypeInfo& t) {
  if (in.pick(16) == 0 || t.funcs.empty()) {
    static const CallKind kinds[] = {CallKind::Get, CallKind::Let, CallKind::Set, CallKind::Method};
    return {DispId(in.flag() ? int32_t(in.u32()) : int32_t(in.pick(8))), in.pick(kinds), in.pick(4)};
  }
  const FuncInfo& f = t.funcs[in.pick(t.funcs.size()) % t.funcs.size()];
  size_t n = f.params.size();
  if (f.kind == CallKind::Let || f.kind == CallKind::Set) ++n;
  return {f.id, f.kind, n};
}

// The recordset's members, by name as the grid binds them.
inline const TypeInfo& Recordset::type_info() const {
  static const TypeInfo t = [] {
    TypeInfo r;
    r.name = "Recordset";
    int id = 1;
    for (const char* n : {"MoveLast", "AbsolutePosition", "Fields", "Edit", "Update", "Count", "Item", "Name", "Type",
                          "Size", "Value"})
      r.funcs.push_back(make_func(n, id++, CallKind::Method, "Variant"));
    return r;
  }();
  return t;
}

inline Variant Recordset::dispatch(DispId id, CallKind, std::span<Variant>) {
  if (in_.pick(8) == 0) throw RuntimeError(int(in_.pick(3)) == 0 ? 3021 : kErrInvalidCall);
  Values v(in_);
  // Fields and items are recordsets too: one object plays every role.
  if ((id == 3 || id == 7) && depth_ < 3) return Variant(std::make_shared<Recordset>(in_, depth_ + 1));
  const Variant answer = v.value(3).deref();  // a value, not a reference into `v`
  return answer;
}

// The bag a text holds, or nothing for a text the bag refuses (error 5).
// A bag's own text form always reads back to the same bag.
inline std::optional<PropertyBag> read_bag(const uint8_t* data, size_t size) {
  PropertyBag bag;
  try {
    bag = PropertyBag::from_text(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const RuntimeError& e) {
    FUZZ_CHECK(e.number == kErrInvalidCall);
    return std::nullopt;
  }
  const std::string text = bag.to_text();
  FUZZ_CHECK(PropertyBag::from_text(text).to_text() == text);
  return bag;
}

// What a control saves reads back into a new control of its class, which
// saves the same text.
inline void check_saved_reads_back(Control& control, Site& site, const char* class_name) {
  PropertyBag saved;
  control.write_properties(saved);
  const std::string text = saved.to_text();
  std::shared_ptr<Control> copy = create_object(class_name);
  copy->set_site(&site);
  copy->read_properties(PropertyBag::from_text(text));
  PropertyBag again;
  copy->write_properties(again);
  copy->set_site(nullptr);
  if (again.to_text() != text) {
    std::fprintf(stderr, "saved:\n%s\nread back and saved again:\n%s\n", text.c_str(), again.to_text().c_str());
    FUZZ_CHECK(again.to_text() == text);
  }
}

}  // namespace fuzz
