// PropertyPage: the selected item's published parameters as edit controls,
// laid out by PropertyRows. It holds the item (counted) while it shows it;
// Enter, a check box or a list choice writes every row back.
#pragma once

#include <QWidget>
#include <vector>

#include "editor/panel/PropertyRows.h"
#include "vocore/item/VoIItem.h"
#include "vocore/item/VoRefer.h"

class CTireloDoc;
class QCheckBox;
class QComboBox;
class QLineEdit;

class PropertyPage : public QWidget {
  Q_OBJECT

 public:
  // `document` (not owned) is told of every write.
  PropertyPage(VoIItem* item, CTireloDoc* document, QWidget* parent = nullptr);

  // Members to controls, and back.
  void Load();
  void Save();

 private:
  struct Controls {
    PropertyRow row;
    std::vector<QLineEdit*> edits;
    QComboBox* list = nullptr;
    QCheckBox* check = nullptr;
  };
  void MakeRow(const PropertyRow& row);

  VoRefer<VoIItem> item_;
  CTireloDoc* document_;
  std::vector<Controls> rows_;
  bool loading_ = false;
};
