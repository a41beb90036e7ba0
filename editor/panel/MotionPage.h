// MotionPage: a motion's curve kind (Linear, Spline1, Spline2) and key loop.
// Holds the motion (counted) while it shows it.
#pragma once

#include <QWidget>

#include "vocore/item/VoRefer.h"
#include "vocore/motion/VoIMotion.h"

class QCheckBox;
class QRadioButton;

class MotionPage : public QWidget {
  Q_OBJECT

 public:
  explicit MotionPage(VoIMotion* motion, QWidget* parent = nullptr);
  void Load();

 private:
  VoRefer<VoIMotion> motion_;
  QRadioButton* curves_[3];
  QCheckBox* loop_;
};
