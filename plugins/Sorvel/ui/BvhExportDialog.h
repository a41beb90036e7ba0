// BvhExportDialog: asks the frame rate of a BVH export (dialog 5000): one
// field, "出力間隔" in "フレーム／秒", from 0 to 60. OK checks the range and
// keeps the dialog open, with a message, on a value outside it.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class BvhExportDialog : public QDialog {
 public:
  enum { IDD = 5000, IDC_FRAMERATE = 5000 };

  explicit BvhExportDialog(float initial, QWidget* parent = nullptr);

  // The field's value; false when the text is no number from 0 to 60.
  bool Value(float& fps) const;
  QLineEdit* Field() const { return field_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  void accept() override;

 private:
  QLineEdit* field_;
  QPushButton* ok_;
  QPushButton* cancel_;
};
