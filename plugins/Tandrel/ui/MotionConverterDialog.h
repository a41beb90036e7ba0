// The motion converter's dialog ("モーションコンバータ"): the destination
// character and its skeleton's coordinates, each labelled with the source
// item it is paired with, beside the source character and its skeleton.
// Selecting a source item and then a destination coordinate pairs them;
// "開く" and "保存" read and write ".kvc" files. The session does the work.
#pragma once

#include <QDialog>

class ConvertSession;
class QTreeWidget;
class QTreeWidgetItem;
class VoIBranch;
class VoIItem;

namespace TandrelUi {

class MotionConverterDialog : public QDialog {
 public:
  explicit MotionConverterDialog(ConvertSession& session, QWidget* parent = nullptr);

  // The item a tree row stands for.
  static VoIItem* ItemOf(const QTreeWidgetItem* row);
  // The destination rows' labels, from the session's pairs.
  void Relabel();

  QTreeWidget* destinationTree;
  QTreeWidget* sourceTree;

 private:
  void FillDestination(VoIBranch* branch, QTreeWidgetItem* parent, int depth);
  void FillSource(VoIBranch* branch, QTreeWidgetItem* parent, int depth);
  void SourceChosen(QTreeWidgetItem* row);
  void DestinationChosen(QTreeWidgetItem* row);
  void Read();
  void Write();

  ConvertSession& session_;
  VoIItem* chosenSource_ = nullptr;
};

}  // namespace TandrelUi
