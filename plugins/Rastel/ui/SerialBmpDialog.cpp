#include "plugins/Rastel/ui/SerialBmpDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <limits>

#include "plugins/Rastel/ui/DialogParts.h"

namespace RastelUi {

namespace {
constexpr int FrameMin = std::numeric_limits<int>::min(), FrameMax = std::numeric_limits<int>::max();
}

SerialBmpDialog::SerialBmpDialog(const SerialBmpAnswers& initial, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Label("連番 BMP 出力"));
  auto* layout = new QVBoxLayout(this);

  layout->addWidget(new QLabel(Label("出力ファイル (%f ﾌﾚｰﾑ %m ﾓｰｼｮﾝ名 %c ｷｬﾗｸﾀ名)"), this));
  auto* patternRow = new QHBoxLayout;
  pattern = new QLineEdit(FromSystem(initial.pattern), this);
  auto* browse = new QPushButton(Label("参照"), this);
  connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
  patternRow->addWidget(pattern, 1);
  patternRow->addWidget(browse);
  layout->addLayout(patternRow);

  auto* frames = new QHBoxLayout;
  first = NewSpin(this, FrameMin, FrameMax, initial.first);
  last = NewSpin(this, FrameMin, FrameMax, initial.last);
  step = NewSpin(this, int(SerialStepMin), int(SerialStepMax), long(initial.step));
  frames->addWidget(first);
  frames->addWidget(new QLabel(Label("～"), this));
  frames->addWidget(last);
  frames->addWidget(new QLabel(Label("間隔"), this));
  frames->addWidget(step);
  frames->addWidget(new QLabel(Label("ﾌﾚｰﾑ/秒"), this));
  layout->addLayout(frames);

  auto* resolution = new QGroupBox(Label("解像度"), this);
  auto* grid = new QGridLayout(resolution);
  sizeMode = new QButtonGroup(this);
  const char* modes[] = {"そのまま出力", "縦解像度を固定", "横解像度を固定"};
  for (int mode = 0; mode < 3; ++mode) {
    auto* radio = new QRadioButton(Label(modes[mode]), resolution);
    sizeMode->addButton(radio, mode);
    grid->addWidget(radio, mode, 0);
  }
  height = NewSpin(resolution, int(SerialSizeMin), int(SerialSizeMax), long(initial.height));
  width = NewSpin(resolution, int(SerialSizeMin), int(SerialSizeMax), long(initial.width));
  grid->addWidget(height, 1, 1);
  grid->addWidget(width, 2, 1);
  const int mode = initial.sizeMode >= 0 && initial.sizeMode <= 2 ? initial.sizeMode : 0;
  sizeMode->button(mode)->setChecked(true);
  layout->addWidget(resolution);

  allMotions = new QCheckBox(Label("全ﾓｰｼｮﾝを出力する"), this);
  allMotions->setChecked(initial.allMotions);
  layout->addWidget(allMotions);
  layout->addWidget(NewOkCancel(this));
}

SerialBmpAnswers SerialBmpDialog::Answers() const {
  SerialBmpAnswers a;
  a.pattern = ToSystem(pattern->text());
  a.first = first->value();
  a.last = last->value();
  a.step = unsigned(step->value());
  a.sizeMode = sizeMode->checkedId() < 0 ? 0 : sizeMode->checkedId();
  a.height = unsigned(height->value());
  a.width = unsigned(width->value());
  a.allMotions = allMotions->isChecked();
  return a;
}

// The chosen file's path with "%f" after it becomes the pattern.
void SerialBmpDialog::Browse() {
  const QString start = PathFromSystem(ToSystem(pattern->text()));
  const QString chosen = QFileDialog::getSaveFileName(this, Label("参照"), start, QString(), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
  if (chosen.isEmpty()) return;
  pattern->setText(FromSystem(PathToSystem(chosen)) + Label("%f"));
}

}  // namespace RastelUi
