#include "editor/panel/MotionPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/panel/MotionCurves.h"
#include "vocore/motion/VoIMotion.h"

MotionPage::MotionPage(VoIMotion* motion, QWidget* parent) : QWidget(parent), motion_(motion) {
  auto* layout = new QVBoxLayout(this);
  auto* group = new QButtonGroup(this);
  const QString names[3] = {QStringLiteral(u"Linear（線形）"), QStringLiteral(u"Spline1（低速曲線）"),
                            QStringLiteral(u"Spline2（高速曲線）")};
  for (int i = 0; i < 3; ++i) {
    curves_[i] = new QRadioButton(names[i], this);
    group->addButton(curves_[i], i);
    layout->addWidget(curves_[i]);
  }
  group->setExclusive(false);
  loop_ = new QCheckBox(QStringLiteral(u"キーループ"), this);
  layout->addWidget(loop_);
  layout->addStretch(1);
  connect(group, &QButtonGroup::idClicked, this, [this](int id) {
    MotionCurves::Apply(motion_, id);
    Load();
  });
  connect(loop_, &QCheckBox::clicked, this, [this] {
    if (VoIMotion* m = motion_) m->loop = m->loop ? 0 : 1;
    Load();
  });
  Load();
}

void MotionPage::Load() {
  VoIMotion* m = motion_;
  const int common = MotionCurves::Common(m);
  for (int i = 0; i < 3; ++i) curves_[i]->setChecked(i == common);
  loop_->setChecked(m && m->loop);
}
