#include "plugins/Sorvel/ui/DialogQuestion.h"

#include <QApplication>

#include "plugins/Sorvel/ui/BvhExportDialog.h"

namespace SorvelUi {

namespace {

class Question : public Bvh::FrameRateQuestion {
 public:
  bool Ask(float& fps) override {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
    BvhExportDialog dialog(fps, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    return dialog.Value(fps);
  }
};

}  // namespace

Bvh::FrameRateQuestion& DialogQuestion() {
  static Question question;
  return question;
}

}  // namespace SorvelUi
