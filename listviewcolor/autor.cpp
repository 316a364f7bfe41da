#include "listviewcolor/autor.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace ombrelis {

namespace {

QDialog* g_shown = nullptr;

constexpr const char* kLines[6] = {
    "Ombrelis",
    "Colours chosen lines of a list view",
    "Version 1.0",
    "Part of the Brendalo teaching simulator",
    "Copyright (C) the Brendalo authors",
    "Provided as is, without warranty of any kind.",
};

}  // namespace

QDialog* create_autor() {
  auto* d = new QDialog(nullptr);
  d->setObjectName("Autor1");
  d->setWindowTitle("About Ombrelis");
  auto* grid = new QGridLayout(d);
  auto* picture = new QLabel(d);
  picture->setObjectName("Picture1");
  picture->setPixmap(d->style()->standardIcon(QStyle::SP_FileDialogListView).pixmap(48, 48));
  grid->addWidget(picture, 0, 0, 6, 1, Qt::AlignTop);
  for (int i = 0; i < 6; ++i) {
    auto* l = new QLabel(kLines[i], d);
    l->setObjectName(QString("lbl(%1)").arg(i + 1));
    grid->addWidget(l, i, 1, 1, 3);
  }
  // The mail and web buttons are shown but do nothing.
  auto* mail = new QPushButton("Correo", d);
  mail->setObjectName("BtCorreo");
  auto* web = new QPushButton("Internet", d);
  web->setObjectName("BtInternet");
  auto* ok = new QPushButton("OK", d);
  ok->setObjectName("CommandButton1");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
  grid->addWidget(mail, 6, 1);
  grid->addWidget(web, 6, 2);
  grid->addWidget(ok, 6, 3);
  return d;
}

void show_autor() {
  QDialog* d = create_autor();
  g_shown = d;
  d->exec();
  g_shown = nullptr;
  delete d;
}

QDialog* shown_autor() { return g_shown; }

}  // namespace ombrelis
