#include "platform/forms/control.h"

#include <QWidget>
#include <strings.h>

#include "platform/forms/form.h"
#include "platform/forms/hosted_state.h"
#include "platform/forms/proplog.h"
#include "platform/forms/widgets.h"

namespace plat {

bool is_windowless(Kind k) {
  return k == Kind::Label || k == Kind::Line || k == Kind::Shape || k == Kind::Image;
}

bool is_container(Kind k) { return k == Kind::Frame || k == Kind::PictureBox || k == Kind::Form; }

const char* kind_name(Kind k) {
  switch (k) {
    case Kind::Form: return "Form";
    case Kind::Label: return "Label";
    case Kind::Line: return "Line";
    case Kind::Shape: return "Shape";
    case Kind::Image: return "Image";
    case Kind::PictureBox: return "PictureBox";
    case Kind::CommandButton: return "CommandButton";
    case Kind::TextBox: return "TextBox";
    case Kind::ComboBox: return "ComboBox";
    case Kind::OptionButton: return "OptionButton";
    case Kind::CheckBox: return "CheckBox";
    case Kind::Frame: return "Frame";
    case Kind::Toolbar: return "Toolbar";
    case Kind::StatusBar: return "StatusBar";
    case Kind::ProgressBar: return "ProgressBar";
    case Kind::ListView: return "ListView";
    case Kind::WebBrowser: return "WebBrowser";
    case Kind::Hosted: return "Hosted";
    case Kind::Timer: return "Timer";
    case Kind::Menu: return "Menu";
    case Kind::ImageList: return "ImageList";
  }
  return "?";
}

bool Control::CiLess::operator()(std::string_view a, std::string_view b) const {
  const size_t n = std::min(a.size(), b.size());
  const int c = strncasecmp(a.data(), b.data(), n);
  return c != 0 ? c < 0 : a.size() < b.size();
}

namespace {
constexpr int64_t kButtonFace = 0x8000000F, kButtonText = 0x80000012, kWindow = 0x80000005,
                  kWindowText = 0x80000008;

void defaults(Kind k, const ControlDef& d, std::map<std::string, Value, Control::CiLess>& p) {
  p["Visible"] = true;
  p["Enabled"] = true;
  if (k == Kind::Line) {
    p["X1"] = d.box.left;
    p["Y1"] = d.box.top;
    p["X2"] = d.box.width;
    p["Y2"] = d.box.height;
  } else if (k != Kind::Menu && k != Kind::Timer && k != Kind::ImageList) {
    p["Left"] = d.box.left;
    p["Top"] = d.box.top;
    p["Width"] = d.box.width;
    p["Height"] = d.box.height;
  }
  if (k != Kind::Line && k != Kind::Shape && k != Kind::Timer && k != Kind::ImageList) {
    p["FontName"] = "MS Sans Serif";
    p["FontSize"] = 8.25;
    p["FontBold"] = false;
    p["ToolTipText"] = "";
  }
  switch (k) {
    case Kind::Form:
      p["Caption"] = d.caption;
      p["BackColor"] = kButtonFace;
      p["Visible"] = false;
      p["WindowState"] = 0;
      p["MousePointer"] = 0;
      break;
    case Kind::Label:
      p["Caption"] = d.caption;
      p["BackColor"] = kButtonFace;
      p["ForeColor"] = kButtonText;
      p["BackStyle"] = 1;
      p["BorderStyle"] = 0;
      p["Alignment"] = 0;
      p["WordWrap"] = false;
      break;
    case Kind::Line:
      p["BorderColor"] = kWindowText;
      p["BorderWidth"] = 1;
      p["BorderStyle"] = 1;
      break;
    case Kind::Shape:
      p["Shape"] = 0;
      p["BackColor"] = kWindow;
      p["BackStyle"] = 0;
      p["FillStyle"] = 1;
      p["FillColor"] = 0;
      p["BorderColor"] = kWindowText;
      p["BorderWidth"] = 1;
      p["BorderStyle"] = 1;
      break;
    case Kind::Image:
    case Kind::PictureBox:
      p["Picture"] = d.caption;
      p["Stretch"] = false;
      p["BackColor"] = kButtonFace;
      p["BorderStyle"] = k == Kind::PictureBox ? 1 : 0;
      break;
    case Kind::CommandButton:
      p["Caption"] = d.caption;
      p["Style"] = 0;
      p["BackColor"] = kButtonFace;
      break;
    case Kind::TextBox:
    case Kind::ComboBox:
      p["Text"] = d.caption;
      p["BackColor"] = kWindow;
      p["ForeColor"] = kWindowText;
      p["Alignment"] = 0;
      p["Locked"] = false;
      if (k == Kind::ComboBox) p["ListIndex"] = -1;
      break;
    case Kind::OptionButton:
      p["Caption"] = d.caption;
      p["Value"] = false;
      p["BackColor"] = kButtonFace;
      p["ForeColor"] = kButtonText;
      break;
    case Kind::CheckBox:
      p["Caption"] = d.caption;
      p["Value"] = 0;
      p["BackColor"] = kButtonFace;
      p["ForeColor"] = kButtonText;
      break;
    case Kind::Frame:
      p["Caption"] = d.caption;
      p["BackColor"] = kButtonFace;
      p["ForeColor"] = kButtonText;
      p["BorderStyle"] = 1;
      break;
    case Kind::Timer:
      p["Interval"] = 0;
      break;
    case Kind::Menu:
      p["Caption"] = d.caption;
      p["Checked"] = false;
      p["Shortcut"] = "";
      break;
    case Kind::Toolbar:
      p["Align"] = 1;
      break;
    case Kind::StatusBar:
      p["Align"] = 2;
      break;
    case Kind::ProgressBar:
      p["Value"] = 0.0;
      p["Min"] = 0.0;
      p["Max"] = 100.0;
      break;
    case Kind::ListView:
      p["View"] = 3;  // report
      p["ColumnHeaders.Count"] = 0;
      p["ListItems.Count"] = 0;
      break;
    case Kind::Hosted:
      p["ClassName"] = d.caption;
      break;
    case Kind::WebBrowser:
      p["LocationURL"] = "";
      break;
    case Kind::ImageList:
      break;
  }
}
}  // namespace

Control::Control(Form& form, const ControlDef& def, Control* container)
    : form_(form), name_(def.name), index_(def.index), kind_(def.kind), container_(container) {
  defaults(kind_, def, props_);
  for (const Prop& p : def.props) props_[p.name] = p.value;
  if (kind_ != Kind::Line && props_.count("Left"))
    design_ = {int(props_["Left"].to_int()), int(props_["Top"].to_int()), int(props_["Width"].to_int()),
               int(props_["Height"].to_int())};
}

Control::~Control() = default;

void Control::set(std::string_view prop, Value v) {
  auto it = props_.find(prop);
  if (it == props_.end()) it = props_.emplace(std::string(prop), Value()).first;
  it->second = std::move(v);
  if (PropertyLog::on() && !building_)
    PropertyLog::record({form_.name(), kind_ == Kind::Form ? std::string() : name_, index_, it->first, it->second});
  if (!building_) Realizer::apply(*this, it->first);
}

void Control::store_silently(std::string_view prop, Value v) {
  auto it = props_.find(prop);
  if (it == props_.end()) it = props_.emplace(std::string(prop), Value()).first;
  it->second = std::move(v);
}

Value Control::get(std::string_view prop) const {
  auto it = props_.find(prop);
  return it == props_.end() ? Value() : it->second;
}

bool Control::has(std::string_view prop) const { return props_.find(prop) != props_.end(); }

static std::string item_key(std::string_view collection, int i, std::string_view prop) {
  return std::string(collection) + "(" + std::to_string(i) + ")." + std::string(prop);
}

void Control::set_item(std::string_view collection, int i, std::string_view prop, Value v) {
  set(item_key(collection, i, prop), std::move(v));
}

Value Control::item(std::string_view collection, int i, std::string_view prop) const {
  return get(item_key(collection, i, prop));
}

void Control::move(int left, int top) {
  set("Left", left);
  set("Top", top);
}

void Control::add_item(std::string s) {
  items_.push_back(std::move(s));
  if (!building_) Realizer::apply(*this, "List");
}

void Control::clear_items() {
  items_.clear();
  store_silently("ListIndex", -1);
  if (!building_) Realizer::apply(*this, "List");
}

int Control::list_index() const { return int(get("ListIndex").to_int()); }

void Control::apply(std::string_view prop) { Realizer::apply(*this, prop); }

QWidget* Control::surface() const {
  if (widget_ && is_container(kind_)) return widget_;
  if (container_) return container_->widget_;
  return form_.form_window() ? static_cast<QWidget*>(form_.form_window()->client()) : nullptr;
}

}  // namespace plat
