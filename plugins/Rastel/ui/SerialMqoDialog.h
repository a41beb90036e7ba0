// The dialog of SerialMQO ("連番 MQO 出力"): output prefix with a browse
// button, frame range and step.
#pragma once

#include <QDialog>

#include "plugins/Rastel/SerialAsker.h"

class QLineEdit;
class QSpinBox;

namespace RastelUi {

class SerialMqoDialog : public QDialog {
 public:
  explicit SerialMqoDialog(const SerialMqoAnswers& initial, QWidget* parent = nullptr);

  // The fields as the user left them.
  SerialMqoAnswers Answers() const;

  QLineEdit* prefix;
  QSpinBox* first;
  QSpinBox* last;
  QSpinBox* step;

 private:
  void Browse();
};

}  // namespace RastelUi
