// Draws the main window's process-unit picture (simulator/mainwindow/images/pu.png).
//
//   cmake --build build/test --target draw_pu_picture
//   build/test/bin/draw_pu_picture simulator/mainwindow/images/pu.png
//
// The picture (300 x 250 pixels) lies at (480, 480) twips in the diagram panel,
// where the main window puts a lamp over the unit each control signal drives.
// Every unit that has a lamp is drawn at its lamp's box, so the lamp frames it
// when it lights; each unit has a fill colour of its own, by which the main
// window's tests find the unit under every lamp.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 300, kHeight = 250;

// A lamp's box in twips inside the panel, as a box in the picture's pixels.
QRect lamp(int left, int top, int width, int height) {
  return QRect((left - 480) / 15, (top - 480) / 15, width / 15, height / 15);
}

struct Unit {
  const char* name;  // the text in the box
  QRect box;
  QRgb fill;
  bool bold;
};

// Units under lamps (the lamp of their signal in the comment) and the others.
const Unit kUnits[] = {
    {"mux", lamp(1200, 600, 375, 255), 0xFFE8C8, false},    // MuxBat: ksUP(0) hD
    {"mux", lamp(480, 1200, 375, 255), 0xFFE8C9, false},    // MuxPC: ksUP(1) hD
    {"PC", lamp(960, 1200, 375, 255), 0xD4E6FF, true},      // ksUP(2) LD_PC
    {"PCi", lamp(960, 1560, 375, 255), 0xD4E6FE, true},     // ksUP(3) LD_PCi
    {"mux", lamp(2160, 1680, 375, 255), 0xFFE8CA, false},   // MuxM: ksUP(4) hMH1/hMH0
    {"", QRect(168, 64, 76, 43), 0xFFF0C0, false},          // MEM: ksUP(5..7) MCS, MOE, MWR
    {"ir1", lamp(2280, 2160, 375, 255), 0xD4F4D4, true},    // ksUP(8) LD_IR1
    {"ir2", lamp(3600, 2160, 375, 255), 0xD4F4D5, true},    // ksUP(9) LD_IR2
    {"mux", lamp(4320, 2280, 375, 255), 0xFFE8CB, false},   // Muxl2 (write data): ksUP(11) hMD
    {"mux", lamp(3480, 2520, 375, 135), 0xFFE8CC, false},   // Muxl2 (read address): ksUP(12) hH
    {"", QRect(236, 136, 56, 34), 0xFFDCDC, false},          // EM: ksUP(13) LD_EM
    {"e1", lamp(3480, 3120, 375, 135), 0xD4E6FD, false},    // R_e1: ksUP(10) LD_e1
    {"e2", lamp(4440, 3120, 375, 135), 0xD4E6FC, false},    // R_e2: ksUP(16) LD_e2
    {"mux", lamp(4440, 3480, 375, 135), 0xFFE8CD, false},   // MuxUAL: ksUP(14) hB
    {"ual", lamp(3480, 3960, 375, 135), 0xD4E6FB, false},   // R_ual: ksUP(15) LD_ual
    {"+", QRect(36, 29, 40, 13), 0xE8E8E8, true},            // adder
    {"UAL", QRect(230, 198, 30, 24), 0xFFFFC8, true},        // ALU
};

QFont font(int px, bool bold = false) {
  QFont f("Liberation Sans");
  f.setPixelSize(px);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

class Drawing {
 public:
  explicit Drawing(QImage& img) : p_(&img) {}

  void box(const Unit& u) {
    p_.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p_.setBrush(QColor(u.fill));
    p_.drawRect(u.box.adjusted(0, 0, -1, -1));
    if (!*u.name) return;
    if (u.box.height() < 12) {
      // A flat box: its text stands between the two edges of a lit lamp.
      p_.setFont(font(7));
      p_.setPen(Qt::black);
      const int w = p_.fontMetrics().horizontalAdvance(u.name);
      p_.drawText(u.box.x() + (u.box.width() - w) / 2, u.box.y() + 7, u.name);
    } else {
      text(u.box, u.name, 9, u.bold);
    }
  }
  // A signal's name inside a flat lamp's box, at (x, top).
  void flat_signal(int x, int top, const char* s) {
    p_.setFont(font(7));
    p_.setPen(QColor(0x20, 0x20, 0xA0));
    p_.drawText(x, top + 7, s);
  }
  void text(const QRect& r, const char* s, int px, bool bold = false, QColor c = Qt::black) {
    p_.setFont(font(px, bold));
    p_.setPen(c);
    p_.drawText(r, Qt::AlignCenter, s);
  }
  // A signal's name, left-aligned at (x, y) (top left of the text).
  void signal(int x, int y, const char* s) {
    p_.setFont(font(8));
    p_.setPen(QColor(0x20, 0x20, 0xA0));
    p_.drawText(QRect(x, y, 60, 9), Qt::AlignLeft | Qt::AlignVCenter, s);
  }
  // A wire through the points, with an arrowhead at the last one.
  void wire(std::vector<QPoint> pts, bool arrow = true) {
    p_.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p_.setBrush(Qt::NoBrush);
    for (size_t i = 1; i < pts.size(); ++i) p_.drawLine(pts[i - 1], pts[i]);
    if (!arrow || pts.size() < 2) return;
    const QPoint a = pts[pts.size() - 2], b = pts.back();
    const int dx = (b.x() > a.x()) - (b.x() < a.x()), dy = (b.y() > a.y()) - (b.y() < a.y());
    p_.setBrush(QColor(0x50, 0x50, 0x50));
    QPolygon head;
    head << b << QPoint(b.x() - 3 * dx - 2 * dy, b.y() - 3 * dy - 2 * dx)
         << QPoint(b.x() - 3 * dx + 2 * dy, b.y() - 3 * dy + 2 * dx);
    p_.drawPolygon(head);
  }

 private:
  QPainter p_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    Drawing d(img);
    // Program counter, its incrementer and the two multiplexers that feed it.
    d.wire({{60, 25}, {60, 29}});                         // MuxBat -> adder B
    d.wire({{12, 48}, {12, 35}, {36, 35}});               // MuxPC -> adder A
    d.wire({{44, 42}, {44, 48}});                         // adder -> PC
    d.wire({{44, 65}, {44, 72}});                         // PC -> PCi
    d.wire({{44, 68}, {18, 68}, {18, 65}});               // PC -> MuxPC 1
    d.wire({{32, 80}, {6, 80}, {6, 65}});                 // PCi -> MuxPC 0
    d.wire({{57, 56}, {100, 56}, {100, 83}, {112, 83}});  // PC -> MuxM 0
    d.text(QRect(34, 10, 12, 9), "1", 8);                 // the constant into MuxBat 0
    d.wire({{42, 16}, {48, 16}});
    d.text(QRect(78, 10, 14, 9), "ir2", 8);               // IR2 into MuxBat 1
    d.wire({{79, 16}, {73, 16}});
    d.signal(80, 0, "hD");
    d.signal(3, 38, "hD");
    d.signal(78, 45, "LD_PC");
    d.signal(60, 76, "LD_PCi");
    // Memory, its address multiplexer and the instruction registers.
    d.wire({{137, 88}, {168, 88}});                       // MuxM -> MEM @
    d.wire({{200, 236}, {92, 236}, {92, 88}, {112, 88}}); // R_ual -> MuxM 1
    d.text(QRect(95, 90, 14, 9), "ir2", 8);               // IR2 into MuxM 2
    d.wire({{108, 94}, {112, 94}});
    d.signal(114, 71, "hMH");
    d.wire({{206, 107}, {206, 109}}, false);              // MEM data out
    d.wire({{132, 109}, {274, 109}}, false);
    d.wire({{132, 109}, {132, 112}});
    d.wire({{220, 109}, {220, 112}});
    d.wire({{274, 109}, {274, 120}});
    d.signal(94, 113, "LD_IR1");
    d.signal(180, 113, "LD_IR2");
    // Register file, its multiplexers and registers.
    d.wire({{212, 128}, {212, 136}});                     // IR2 -> Muxl2 (hH) 0
    d.wire({{140, 128}, {140, 162}, {236, 162}});         // IR1 -> EM @h, @i1
    d.wire({{140, 140}, {200, 140}});                     // IR1 -> Muxl2 (hH) 1
    d.wire({{225, 140}, {236, 140}});                     // Muxl2 -> EM @i2
    d.signal(206, 146, "hH");
    d.text(QRect(236, 124, 16, 9), "ual", 8);             // R_ual into Muxl2 (hMD) 0
    d.wire({{252, 129}, {256, 129}});
    d.signal(282, 124, "hMD");
    d.wire({{244, 170}, {244, 173}, {212, 173}, {212, 176}});  // EM Q1 -> R_e1
    d.wire({{276, 170}, {276, 176}});                          // EM Q2 -> R_e2
    d.signal(172, 177, "LD_e1");
    d.signal(236, 177, "LD_e2");
    // ALU, its operand multiplexer and result register.
    d.wire({{270, 185}, {270, 200}});                     // R_e2 -> MuxUAL 0
    d.text(QRect(278, 186, 14, 9), "ir2", 8);             // IR2 operand into MuxUAL 1
    d.wire({{284, 195}, {284, 200}});
    d.signal(290, 201, "hB");
    d.wire({{212, 185}, {212, 190}, {240, 190}, {240, 198}});  // R_e1 -> ALU A
    d.wire({{276, 209}, {276, 212}, {260, 212}});              // MuxUAL -> ALU B
    d.wire({{245, 222}, {245, 236}, {225, 236}});              // ALU -> R_ual
    d.signal(172, 226, "LD_ual");
    for (const Unit& u : kUnits) d.box(u);
    d.text(QRect(212, 72, 30, 28), "MEM", 9, true);
    d.text(QRect(256, 136, 25, 17), "EM", 9, true);
    d.signal(250, 157, "LD_EM");
    d.flat_signal(188, 80, "MCS");
    d.flat_signal(188, 88, "MOE");
    d.flat_signal(188, 96, "MWR");
  }
  if (!img.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
