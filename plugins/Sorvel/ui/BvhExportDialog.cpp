#include "plugins/Sorvel/ui/BvhExportDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "ferrox/string/NativeName.h"
#include "plugins/Sorvel/FrameRateQuestion.h"
#include "plugins/Sorvel/ui/DialogText.h"

using namespace SorvelUi;

namespace {

// The system's text is Shift-JIS; Qt is given it as Unicode here only.
QString Text(const char* cp932) { return QString::fromStdString(Frx::NativeName::Cp932ToUtf8(cp932)); }

}  // namespace

BvhExportDialog::BvhExportDialog(float initial, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Text(DialogText::kTitle));
  field_ = new QLineEdit(QString::number(double(initial), 'g', 7), this);
  field_->setObjectName(QStringLiteral("5000"));
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  cancel_ = new QPushButton(Text(DialogText::kCancel), this);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &BvhExportDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(Text(DialogText::kLabel), this));
  row->addWidget(field_);
  row->addWidget(new QLabel(Text(DialogText::kUnit), this));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);
}

bool BvhExportDialog::Value(float& fps) const {
  bool ok = false;
  const float value = field_->text().trimmed().toFloat(&ok);
  if (!ok || !std::isfinite(value) || value < 0.0f || value > Bvh::kMaxFrameRate) return false;
  fps = value;
  return true;
}

void BvhExportDialog::accept() {
  float fps = 0.0f;
  if (!Value(fps)) {
    DialogText::ShowRangeMessage(Bvh::kMaxFrameRate);
    field_->setFocus();
    field_->selectAll();
    return;
  }
  QDialog::accept();
}
