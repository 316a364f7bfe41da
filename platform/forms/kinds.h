#pragma once
// The Qt side of each control kind of the forms layer, one kind to a place:
// the widget (or action, or timer) it makes, the events its input raises and
// how each of its own properties shows. The Realizer (widgets.cpp) picks the
// kind and applies what every widget shares (place, visibility, enabled
// state, tip, font); the common controls live in platform/comctl/.
// Used by the forms layer only.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <string_view>

#include "platform/forms/control.h"

class QPainter;
class QWidget;

namespace plat {

// Helpers the kinds share.
bool is_prop(std::string_view prop, const char* name);  // property names are case-insensitive
QColor color_of(const Control& c, std::string_view prop);
QFont font_of(const Control& c);
QRect box_px(const Control& c);  // the control's box, pixels in its container
Qt::Alignment text_alignment(const Control& c);
QWidget* parent_surface(Control& c);  // the surface that holds or paints it
void set_palette_color(QWidget* w, QPalette::ColorRole role, const QColor& col);
// User input reaches the program as the event the control raises.
void raise_event(Control& c, Event ev);
// A window's menu shortcuts come before the keys `field` would take for itself.
void menu_shortcuts_first(Form& f, QWidget* field);

struct Kinds {
  // A write from code once the window is built (not the layout's own values).
  static bool live(const Control& c) { return !c.building_; }
  // What user input writes: stored, not logged.
  static void store(Control& c, std::string_view prop, Value v) { c.store_silently(prop, std::move(v)); }

  // Windowless: painted by their container (kinds_windowless.cpp).
  static void apply_windowless(Control& c, std::string_view prop);
  static void paint_label(QPainter& p, const Control& c);
  static void paint_line(QPainter& p, const Control& c);
  static void paint_shape(QPainter& p, const Control& c);
  static void paint_image(QPainter& p, const Control& c);
  static QRect bounds(const Control& c);

  // Buttons (kinds_buttons.cpp).
  static QWidget* create_command_button(Control& c, QWidget* parent);
  static void apply_command_button(Control& c, std::string_view prop);
  static QWidget* create_option_button(Control& c, QWidget* parent);
  static void apply_option_button(Control& c, std::string_view prop);
  // After a button of c's group was selected, enabled, disabled, shown or
  // hidden: the group's one Tab stop is its selected button.
  static void settle_option_group(const Control& c);
  static QWidget* create_check_box(Control& c, QWidget* parent);
  static void apply_check_box(Control& c, std::string_view prop);

  // Text fields (kinds_text.cpp).
  static QWidget* create_text_box(Control& c, QWidget* parent);
  static void apply_text_box(Control& c, std::string_view prop);
  static QWidget* create_combo_box(Control& c, QWidget* parent);
  static void apply_combo_box(Control& c, std::string_view prop);

  // Menus and timers (kinds_menu_timer.cpp).
  static void create_menu(Control& c);
  static void apply_menu(Control& c, std::string_view prop);
  static void apply_timer(Control& c, std::string_view prop);
};

}  // namespace plat
