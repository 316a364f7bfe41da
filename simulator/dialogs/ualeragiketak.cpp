#include "simulator/dialogs/ualeragiketak.h"

#include "simulator/dialogs/listing_windows.h"

namespace brendalo {

const std::array<UALeragiketak::Row, 14> UALeragiketak::kRows = {{
    {" UAL_kod", " Eragiketa"},
    {"    0000", "    A + B"},
    {"    0001", "    A - B"},
    {"    0010", "    A x B"},
    {"    0011", "    A / B"},
    {"    0100", "       A"},
    {"    0101", "       B"},
    {"    0110", "    A + 1"},
    {"    0111", "    A - 1"},
    {"    1000", "    A or B"},
    {"    1001", "   A and B"},
    {"    1010", "   A xor B"},
    {"    1011", "    <-- A "},
    {"    1100", "     --> A"},
}};

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  std::vector<plat::ControlDef> rows = {
      {UALeragiketak::kName, -1, Kind::Form, "", -1, {0, 0, 3480, 4920}, "UALaren eragiketak",
       {{"BackColor", 0xC0C0C0}}},
  };
  for (size_t k = 0; k < UALeragiketak::kRows.size(); ++k) {
    const int top = 240 + 315 * int(k);
    std::vector<plat::Prop> p = {{"BackColor", 0xC0C0C0}, {"Locked", true}};
    if (k == 0) p.push_back({"FontBold", true});
    rows.push_back({"Text1", int(2 * k), Kind::TextBox, "", -1, {240, top, 1335, 315}, "", p});
    rows.push_back({"Text1", int(2 * k + 1), Kind::TextBox, "", -1, {1575, top, 1665, 315}, "", p});
    rows[rows.size() - 2].props.push_back({"Text", UALeragiketak::kRows[k].code});
    rows.back().props.push_back({"Text", UALeragiketak::kRows[k].operation});
  }
  return rows;
}
}  // namespace

UALeragiketak::UALeragiketak() : Form(kName, layout()) {}

void UALeragiketak::Form_Unload(int16_t&) { Focus_main_window(); }

}  // namespace brendalo
