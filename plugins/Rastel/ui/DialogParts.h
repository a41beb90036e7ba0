// Widgets the two dialogs share: frame spin boxes and the OK / Cancel row.
#pragma once

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>

#include "plugins/frame/ui/SystemText.h"

namespace RastelUi {

using namespace PluginUi;

// A spin box over [low, high] holding value (clamped into the range).
inline QSpinBox* NewSpin(QWidget* parent, int low, int high, long value) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(low, high);
  spin->setValue(int(value < low ? low : value > high ? high : value));
  return spin;
}

// "OK" and "ｷｬﾝｾﾙ", wired to accept and reject.
inline QDialogButtonBox* NewOkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(Label("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(Label("ｷｬﾝｾﾙ"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace RastelUi
