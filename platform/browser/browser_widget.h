#pragma once
// The Qt side of the WebBrowser control, for the forms layer.
class QWidget;

namespace plat {
QWidget* create_browser_widget(QWidget* parent);
}  // namespace plat
