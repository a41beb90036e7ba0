#include "plugins/Rastel/ui/SerialMqoDialog.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "plugins/Rastel/ui/DialogParts.h"

namespace RastelUi {

SerialMqoDialog::SerialMqoDialog(const SerialMqoAnswers& initial, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Label("連番 MQO 出力"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Label("出力ファイル"), this));
  auto* prefixRow = new QHBoxLayout;
  prefix = new QLineEdit(FromSystem(initial.prefix), this);
  auto* browse = new QPushButton(Label("参照"), this);
  connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
  prefixRow->addWidget(prefix, 1);
  prefixRow->addWidget(browse);
  layout->addLayout(prefixRow);

  constexpr int low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
  auto* frames = new QHBoxLayout;
  first = NewSpin(this, low, high, initial.first);
  last = NewSpin(this, low, high, initial.last);
  step = NewSpin(this, int(SerialStepMin), int(SerialStepMax), long(initial.step));
  frames->addWidget(first);
  frames->addWidget(new QLabel(Label("～"), this));
  frames->addWidget(last);
  frames->addWidget(new QLabel(Label("間隔"), this));
  frames->addWidget(step);
  frames->addWidget(new QLabel(Label("ﾌﾚｰﾑ/秒"), this));
  layout->addLayout(frames);
  layout->addWidget(NewOkCancel(this));
}

SerialMqoAnswers SerialMqoDialog::Answers() const {
  SerialMqoAnswers a;
  a.prefix = ToSystem(prefix->text());
  a.first = first->value();
  a.last = last->value();
  a.step = unsigned(step->value());
  return a;
}

void SerialMqoDialog::Browse() {
  const QString start = PathFromSystem(ToSystem(prefix->text()));
  const QString chosen = QFileDialog::getSaveFileName(this, Label("参照"), start, QString(), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
  if (!chosen.isEmpty()) prefix->setText(FromSystem(PathToSystem(chosen)));
}

}  // namespace RastelUi
