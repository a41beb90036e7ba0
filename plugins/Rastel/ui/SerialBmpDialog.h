// The dialog of SerialBMP ("連番 BMP 出力"): output pattern with a browse
// button, frame range, step, resolution mode with its sizes, and whether to
// shoot every motion. The spin boxes hold the ranges the command accepts.
#pragma once

#include <QDialog>

#include "plugins/Rastel/SerialAsker.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace RastelUi {

class SerialBmpDialog : public QDialog {
 public:
  explicit SerialBmpDialog(const SerialBmpAnswers& initial, QWidget* parent = nullptr);

  // The fields as the user left them.
  SerialBmpAnswers Answers() const;

  QLineEdit* pattern;
  QSpinBox* first;
  QSpinBox* last;
  QSpinBox* step;
  QButtonGroup* sizeMode;
  QSpinBox* height;
  QSpinBox* width;
  QCheckBox* allMotions;

 private:
  void Browse();
};

}  // namespace RastelUi
