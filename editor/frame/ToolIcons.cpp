#include "editor/frame/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

#include "editor/document/CommandIds.h"

namespace ToolIcons {

namespace {

const QColor kInk(40, 50, 70);
const QColor kAccent(60, 120, 200);

void Triangle(QPainter& p, QPointF a, QPointF b, QPointF c) {
  QPainterPath path(a);
  path.lineTo(b);
  path.lineTo(c);
  path.closeSubpath();
  p.drawPath(path);
}

void Letter(QPainter& p, char c) {
  QFont f = p.font();
  f.setPixelSize(12);
  f.setBold(true);
  p.setFont(f);
  p.setPen(kInk);
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QLatin1Char(c)));
}

void Paint(QPainter& p, int id) {
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kAccent);
  switch (id) {
    case Cmd::FileNew: p.setBrush(Qt::white), p.drawRect(3, 1, 10, 14); break;
    case Cmd::FileOpen: p.setBrush(QColor(230, 190, 90)), p.drawRect(1, 4, 14, 10); break;
    case Cmd::FileSaveAs: p.drawRect(2, 2, 12, 12), p.setBrush(Qt::white), p.drawRect(5, 2, 6, 4); break;
    case Cmd::DisplayStandard: p.drawEllipse(2, 2, 12, 12); break;
    case Cmd::DisplayEmphasis: p.setPen(QPen(QColor(230, 120, 40), 2)), p.drawEllipse(2, 2, 12, 12); break;
    case Cmd::DisplayHidden: p.setBrush(Qt::NoBrush), p.drawEllipse(2, 2, 12, 12); break;
    case Cmd::Perspective: p.drawPolygon(QPolygonF({{5, 3}, {11, 3}, {15, 13}, {1, 13}})); break;
    case Cmd::Parallel: p.drawRect(2, 3, 12, 10); break;
    case Cmd::SpaceLocal: Letter(p, 'L'); break;
    case Cmd::SpaceParent: Letter(p, 'P'); break;
    case Cmd::SpaceWorld: Letter(p, 'W'); break;
    case Cmd::CelShading:
      p.setBrush(Qt::white), p.drawEllipse(2, 2, 12, 12), p.setBrush(kInk), p.drawPie(2, 2, 12, 12, -90 * 16, 180 * 16);
      break;
    case Cmd::RealTime: p.setBrush(Qt::white), p.drawEllipse(2, 2, 12, 12), p.drawLine(8, 8, 8, 4), p.drawLine(8, 8, 11, 9); break;
    case Cmd::Play: Triangle(p, {4, 2}, {14, 8}, {4, 14}); break;
    case Cmd::Pause: p.drawRect(3, 2, 3, 12), p.drawRect(10, 2, 3, 12); break;
    case Cmd::StepForward: Triangle(p, {3, 3}, {10, 8}, {3, 13}), p.drawRect(11, 3, 2, 10); break;
    case Cmd::StepBack: Triangle(p, {13, 3}, {6, 8}, {13, 13}), p.drawRect(3, 3, 2, 10); break;
    case Cmd::NextKey: Triangle(p, {2, 4}, {8, 8}, {2, 12}), p.drawPolygon(QPolygonF({{12, 3}, {15, 8}, {12, 13}, {9, 8}})); break;
    case Cmd::PreviousKey: Triangle(p, {14, 4}, {8, 8}, {14, 12}), p.drawPolygon(QPolygonF({{4, 3}, {7, 8}, {4, 13}, {1, 8}})); break;
    case Cmd::CopyPose: p.setBrush(Qt::white), p.drawRect(2, 2, 8, 10), p.drawRect(6, 5, 8, 10); break;
    case Cmd::PastePose: p.setBrush(QColor(200, 160, 100)), p.drawRect(2, 3, 12, 12), p.setBrush(Qt::white), p.drawRect(5, 1, 6, 4); break;
    case Cmd::Mirror: Triangle(p, {7, 3}, {7, 13}, {1, 13}), p.setBrush(Qt::white), Triangle(p, {9, 3}, {9, 13}, {15, 13}); break;
    case Cmd::Stop: p.drawRect(3, 3, 10, 10); break;  // also the main frame's log window button
    case Cmd::TreeAll: Letter(p, 'A'); break;
    case Cmd::TreeScoped: Letter(p, 'S'); break;
    case Cmd::TreeNone: Letter(p, '-'); break;
    case Cmd::FilterObjects: Letter(p, 'O'); break;
    case Cmd::FilterSkeleton: Letter(p, 'B'); break;
    case Cmd::FilterMotions: Letter(p, 'M'); break;
    default: p.setBrush(QColor(200, 200, 200)), p.setPen(QColor(160, 160, 160)), p.drawRect(3, 3, 10, 10); break;
  }
}

}  // namespace

QIcon Icon(int commandId) {
  static std::map<int, QIcon> cache;
  auto it = cache.find(commandId);
  if (it != cache.end()) return it->second;
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  Paint(p, commandId);
  p.end();
  return cache.emplace(commandId, QIcon(pixmap)).first->second;
}

}  // namespace ToolIcons
