#include "gridcontrol/about.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <string>

#ifndef NADREL_VERSION_MAJOR
#define NADREL_VERSION_MAJOR 1
#define NADREL_VERSION_MINOR 0
#define NADREL_VERSION_REVISION 0
#endif

namespace nadrel {

namespace {
// The control's version information.
constexpr const char* kTitle = "Nadrel";
constexpr const char* kDescription = "Nadrel grid control";
constexpr const char* kLegal = "Copyright (C) the Brendalo authors";
constexpr const char* kAddress = "The Brendalo project\nPart of the Brendalo teaching simulator";
constexpr const char* kDisclaimer =
    "Warning: this control is provided as is, without warranty of any kind. Use it at your own risk.";

QDialog* g_about = nullptr;

QLabel* label(QWidget* parent, const char* name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setWordWrap(true);
  return l;
}

QFrame* line(QWidget* parent) {
  auto* f = new QFrame(parent);
  f->setObjectName("Line1");
  f->setFrameShape(QFrame::HLine);
  f->setFrameShadow(QFrame::Sunken);
  return f;
}
}  // namespace

const char* version_line() {
  static const std::string text = "Version " + std::to_string(NADREL_VERSION_MAJOR) + "." +
                                  std::to_string(NADREL_VERSION_MINOR) + "." +
                                  std::to_string(NADREL_VERSION_REVISION);
  return text.c_str();
}

QDialog* about_box() {
  if (g_about) return g_about;
  auto* d = new QDialog(nullptr);
  d->setObjectName("frmAbout");
  d->setWindowTitle(QString("About ") + kTitle);
  auto* icon = new QLabel(d);
  icon->setObjectName("Image1");
  icon->setPixmap(d->style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(32, 32));
  auto* text = new QVBoxLayout;
  text->addWidget(label(d, "lblTitle", kTitle));
  text->addWidget(label(d, "lblVersion", version_line()));
  text->addWidget(label(d, "lblDescription", kDescription));
  text->addWidget(label(d, "lblLegal", kLegal));
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addLayout(text, 1);
  auto* ok = new QPushButton("OK", d);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
  auto* all = new QVBoxLayout(d);
  all->addLayout(top);
  all->addWidget(line(d));
  all->addWidget(label(d, "lblAddress", kAddress));
  all->addWidget(line(d));
  all->addWidget(label(d, "lblDisclaimer", kDisclaimer));
  all->addWidget(ok, 0, Qt::AlignRight);
  g_about = d;
  // Released with the application, like any window left open.
  qAddPostRoutine([] {
    delete g_about;
    g_about = nullptr;
  });
  return d;
}

void show_about_box() { about_box()->exec(); }

}  // namespace nadrel
