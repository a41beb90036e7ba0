#include "plugins/Tandrel/ui/MotionConverterDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "plugins/Tandrel/ConvertSession.h"
#include "plugins/frame/ui/SystemText.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace TandrelUi {

using namespace PluginUi;

namespace {

// Items marked 0x10 stay out of the trees with everything below them.
bool Shown(VoIItem* item) { return !(item->GetState() & VoIItem::STATE_MARK10); }

QTreeWidgetItem* NewRow(QTreeWidget* tree, QTreeWidgetItem* parent, VoIItem* item, const QString& label) {
  auto* row = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
  row->setText(0, label);
  row->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(item)));
  row->setExpanded(true);
  return row;
}

QListWidget* CharacterRow(QWidget* parent, VoICharacter* character) {
  auto* list = new QListWidget(parent);
  if (character) list->addItem(FromSystem(character->GetNameEx().Get()));
  list->setMaximumHeight(list->sizeHintForRow(0) * 2 + 8);
  return list;
}

const char kFilter[] = "Savora Motion Convert Files (*.kvc)";

}  // namespace

MotionConverterDialog::MotionConverterDialog(ConvertSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setWindowTitle(Label("モーションコンバータ"));
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(Label("変換先"), this), 0, 0);
  grid->addWidget(new QLabel(Label("変換元"), this), 0, 1);
  grid->addWidget(CharacterRow(this, session.Destination()), 1, 0);
  grid->addWidget(CharacterRow(this, session.Source()), 1, 1);
  destinationTree = new QTreeWidget(this);
  sourceTree = new QTreeWidget(this);
  for (QTreeWidget* tree : {destinationTree, sourceTree}) tree->setHeaderHidden(true);
  grid->addWidget(destinationTree, 2, 0);
  grid->addWidget(sourceTree, 2, 1);

  if (VoISkelton* skeleton = session.Destination() ? session.Destination()->GetSkelton() : nullptr)
    FillDestination(skeleton, nullptr, 0);
  if (VoISkelton* skeleton = session.Source() ? session.Source()->GetSkelton() : nullptr)
    FillSource(skeleton, NewRow(sourceTree, nullptr, skeleton, FromSystem(skeleton->GetNameEx().Get())), 0);
  destinationTree->expandAll();
  sourceTree->expandAll();
  connect(sourceTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* row) { SourceChosen(row); });
  connect(destinationTree, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* row) { DestinationChosen(row); });

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* open = buttons->addButton(Label("開く"), QDialogButtonBox::ActionRole);
  QPushButton* save = buttons->addButton(Label("保存"), QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Ok)->setText(Label("OK"));
  buttons->addButton(QDialogButtonBox::Cancel)->setText(Label("ｷｬﾝｾﾙ"));
  connect(open, &QPushButton::clicked, this, [this] { Read(); });
  connect(save, &QPushButton::clicked, this, [this] { Write(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, 3, 0, 1, 2);
}

VoIItem* MotionConverterDialog::ItemOf(const QTreeWidgetItem* row) {
  return row ? reinterpret_cast<VoIItem*>(row->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

// Coordinates only; the coordinates below a plain locate hang from the
// nearest coordinate above it.
void MotionConverterDialog::FillDestination(VoIBranch* branch, QTreeWidgetItem* parent, int depth) {
  if (depth > VoIBranch::MaxDepth) return;
  for (VoIItem* item = branch->GetFirstChild(); item; item = branch->GetNextChild(item)) {
    if (!Shown(item)) continue;
    QTreeWidgetItem* under = parent;
    if (VoICoordinate* coordinate = item->IsCoordinate())
      under = NewRow(destinationTree, parent, coordinate, FromSystem(session_.Label(coordinate)));
    if (VoIBranch* children = item->IsBranch()) FillDestination(children, under, depth + 1);
  }
}

void MotionConverterDialog::FillSource(VoIBranch* branch, QTreeWidgetItem* parent, int depth) {
  if (depth > VoIBranch::MaxDepth) return;
  for (VoIItem* item = branch->GetFirstChild(); item; item = branch->GetNextChild(item)) {
    if (!Shown(item)) continue;
    QTreeWidgetItem* row = NewRow(sourceTree, parent, item, FromSystem(item->GetNameEx().Get()));
    if (VoIBranch* children = item->IsBranch()) FillSource(children, row, depth + 1);
  }
}

void MotionConverterDialog::Relabel() {
  for (QTreeWidgetItemIterator it(destinationTree); *it; ++it)
    if (VoIItem* item = ItemOf(*it); item && item->IsLocate())
      (*it)->setText(0, FromSystem(session_.Label(item->IsLocate())));
}

void MotionConverterDialog::SourceChosen(QTreeWidgetItem* row) { chosenSource_ = ItemOf(row); }

void MotionConverterDialog::DestinationChosen(QTreeWidgetItem* row) {
  VoIItem* item = ItemOf(row);
  VoILocate* locate = item ? item->IsLocate() : nullptr;
  if (!locate) return;
  session_.Pair(locate, chosenSource_);
  row->setText(0, FromSystem(session_.Label(locate)));
}

void MotionConverterDialog::Read() {
  const QString path = QFileDialog::getOpenFileName(this, Label("開く"), QString(), Label(kFilter));
  if (path.isEmpty()) return;
  session_.ReadConvertFile(PathToSystem(path).c_str());
  Relabel();
}

void MotionConverterDialog::Write() {
  const QString path = QFileDialog::getSaveFileName(this, Label("保存"), QString(), Label(kFilter));
  if (!path.isEmpty()) session_.WriteConvertFile(PathToSystem(path).c_str());
}

}  // namespace TandrelUi
