#include "editor/tree/TreeIcons.h"

#include <QPainter>
#include <QPixmap>

#include <map>

namespace TreeIcons {

namespace {

struct Look {
  QColor colour;
  char letter;
  bool round;
};

// By image index: the kind of item it stands for.
Look LookOf(int index) {
  switch (index) {
    case 7: return {QColor(200, 150, 60), 'T', false};     // texture
    case 8: return {QColor(220, 120, 160), 'M', true};     // material
    case 10: return {QColor(240, 220, 120), 'N', false};   // note
    case 11: return {QColor(120, 120, 140), 'C', false};   // camera
    case 13: return {QColor(90, 160, 220), 'S', false};    // skeleton
    case 14: return {QColor(80, 190, 120), '+', true};     // coordinate
    case 15: return {QColor(230, 200, 80), 'B', false};    // bone, spring
    case 16: return {QColor(120, 200, 140), 'o', true};    // locate
    case 17: return {QColor(150, 150, 200), 'P', false};   // object, polygon
    case 18: return {QColor(90, 130, 210), 'A', true};     // character
    case 19: case 20: case 21: case 22: case 23: return {QColor(250, 210, 90), 'L', true};  // lights, controls
    case 24: return {QColor(210, 110, 90), 'm', false};    // motion
    case 25: return {QColor(190, 110, 90), 'S', false};    // motion set
    case 27: return {QColor(170, 170, 170), 'F', false};   // file
    case 30: return {QColor(230, 90, 90), 'A', true};      // the scoped character
    case 31: return {QColor(140, 200, 200), 'V', false};   // value
    default: return {QColor(160, 160, 160), 'i', false};
  }
}

QPixmap Draw(int index) {
  const Look look = LookOf(index);
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(look.colour.darker(160));
  p.setBrush(look.colour);
  if (look.round) p.drawEllipse(1, 1, 14, 14);
  else p.drawRoundedRect(1, 1, 14, 14, 3, 3);
  QFont font = p.font();
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QLatin1Char(look.letter)));
  return pixmap;
}

}  // namespace

QIcon Icon(int index) {
  static std::map<int, QIcon> cache;
  auto it = cache.find(index);
  if (it == cache.end()) it = cache.emplace(index, QIcon(Draw(index))).first;
  return it->second;
}

}  // namespace TreeIcons
