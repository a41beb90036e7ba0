#include "editor/tree/CProjectView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <vector>

#include "editor/document/CTireloDoc.h"
#include "editor/document/EditorUi.h"
#include "editor/extend/GuiItemExtend.h"
#include "editor/tree/TreeIcons.h"
#include "editor/tree/TreeRules.h"
#include "hostqt/Sjis.h"

namespace {

// Label editing works on the plain name; the marks are not part of it.
class NameDelegate : public QStyledItemDelegate {
 public:
  NameDelegate(CTireloDoc* document, QObject* parent) : QStyledItemDelegate(parent), document_(document) {}
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* line = qobject_cast<QLineEdit*>(editor);
    VoIItem* item = reinterpret_cast<VoIItem*>(index.data(Qt::UserRole).value<quintptr>());
    if (line && item) line->setText(HostQt::FromSjis(item->GetName()));
  }
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    auto* line = qobject_cast<QLineEdit*>(editor);
    VoIItem* item = reinterpret_cast<VoIItem*>(index.data(Qt::UserRole).value<quintptr>());
    if (line && item && TreeRules::Rename(item, HostQt::ToSjis(line->text()).constData()))
      document_->RefreshTreeItem(item);
  }

 private:
  CTireloDoc* document_;
};

// An entry reads its label from its item whenever it is shown: items are
// entered when they are made, before they are named, and renamed by anyone.
class ItemEntry : public QTreeWidgetItem {
 public:
  QVariant data(int column, int role) const override {
    if (column == 0 && role == Qt::DisplayRole)
      if (VoIItem* item = reinterpret_cast<VoIItem*>(QTreeWidgetItem::data(0, Qt::UserRole).value<quintptr>()))
        return HostQt::FromSjis(TreeRules::Label(item).Get());
    return QTreeWidgetItem::data(column, role);
  }
  // The view draws the entry again.
  void Relabel() { emitDataChanged(); }
};

}  // namespace

CProjectView::CProjectView(CTireloDoc* document, QWidget* parent) : QTreeWidget(parent), document_(document) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new NameDelegate(document, this));
  setIconSize(QSize(16, 16));
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CProjectView::OnSelectionChanged);
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* e) { OnExpanded(e, true); });
  connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* e) { OnExpanded(e, false); });
}

CProjectView::~CProjectView() {
  // Items that outlive the tree must not point at its entries.
  for (QTreeWidgetItemIterator it(this); *it; ++it) SetEntry(ItemOf(*it), nullptr);
}

VoIItem* CProjectView::ItemOf(QTreeWidgetItem* entry) {
  return entry ? reinterpret_cast<VoIItem*>(entry->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

QTreeWidgetItem* CProjectView::EntryOf(VoIItem* item) {
  auto* extend = item ? dynamic_cast<GuiItemExtend*>(item->GetExtend()) : nullptr;
  return extend ? static_cast<QTreeWidgetItem*>(extend->treeEntry) : nullptr;
}

void CProjectView::SetEntry(VoIItem* item, QTreeWidgetItem* entry) {
  if (auto* extend = item ? dynamic_cast<GuiItemExtend*>(item->GetExtend()) : nullptr) extend->treeEntry = entry;
}

void CProjectView::RefreshTree(VoIItem* item, int mode) {
  setUpdatesEnabled(false);
  pendingRedraw_ = true;
  const bool wasQuiet = quiet_;
  quiet_ = true;
  if (mode == EditorUi::TreeRemove) {
    RemoveEntries(item);
  } else if (mode == EditorUi::TreeRefresh) {
    RefreshItem(item, 0);
  } else if (mode == EditorUi::TreeRebuild) {
    for (QTreeWidgetItemIterator it(this); *it; ++it) SetEntry(ItemOf(*it), nullptr);
    clear();
    const bool scoped = document_->treeRootMode == 2;
    if (document_->treeRootMode != 3) RefreshItem(scoped ? document_->current.Get() : document_->project.Get(), 0);
    if (document_->treeRootMode != 3) RefreshItem(document_->general.Get(), 0);
    if (VoIItem* marked = bold_.Get()) MarkSelectedCharacter(marked);
  }
  quiet_ = wasQuiet;
}

void CProjectView::ReleaseRedraw() {
  if (!pendingRedraw_) return;
  pendingRedraw_ = false;
  setUpdatesEnabled(true);
}

void CProjectView::ForgetEntries(QTreeWidgetItem* entry) {
  // Without recursion: entries nest as deep as the items they show.
  std::vector<QTreeWidgetItem*> pending{entry};
  while (!pending.empty()) {
    QTreeWidgetItem* at = pending.back();
    pending.pop_back();
    for (int i = 0; i < at->childCount(); ++i) pending.push_back(at->child(i));
    SetEntry(ItemOf(at), nullptr);
  }
}

void CProjectView::RemoveEntries(VoIItem* item) {
  QTreeWidgetItem* entry = EntryOf(item);
  if (!entry) return;
  // The whole branch goes; no item may keep a pointer to a deleted entry.
  ForgetEntries(entry);
  if (ItemOf(currentItem()) == nullptr || entry == currentItem()) setCurrentItem(nullptr);
  delete entry;
}

void CProjectView::RefreshItem(VoIItem* item, int depth) {
  if (!item || depth > VoIBranch::MaxDepth || !item->GetExtend()) return;
  QTreeWidgetItem* entry = EntryOf(item);
  QTreeWidgetItem* under = nullptr;
  bool shown = TreeRules::IsShown(item, document_->treeFilter);
  if (shown && !TreeRules::IsTopLevel(*document_, item)) {
    // Under the nearest shown ancestor; with none the item is not shown, so
    // nothing below a hidden root reaches the top level.
    VoIItem* parent = TreeRules::EntryParent(item, [](VoIItem* p) { return EntryOf(p) != nullptr; });
    under = EntryOf(parent);
    shown = under != nullptr;
  }
  if (!shown) {
    if (entry) RemoveEntries(item);
  } else {
    if (!entry) {
      entry = new ItemEntry;
      entry->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(item)));
      entry->setFlags(entry->flags() | Qt::ItemIsEditable);
      SetEntry(item, entry);
    }
    if (entry->parent() != under || (!under && indexOfTopLevelItem(entry) < 0)) {
      if (QTreeWidgetItem* old = entry->parent()) old->removeChild(entry);
      else if (int at = indexOfTopLevelItem(entry); at >= 0) takeTopLevelItem(at);
      if (under) under->addChild(entry);
      else addTopLevelItem(entry);
    }
    static_cast<ItemEntry*>(entry)->Relabel();
    entry->setIcon(0, TreeIcons::Icon(TreeRules::Icon(item, document_->current.Get())));
    entry->setExpanded((item->GetState() & VoIItem::STATE_MARK20) != 0);
  }
  if (VoIBranch* branch = item->IsBranch())
    for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) RefreshItem(c, depth + 1);
}

void CProjectView::ShowItem(VoIItem* item) {
  const bool wasQuiet = quiet_;
  quiet_ = true;
  QTreeWidgetItem* entry = EntryOf(item);
  setCurrentItem(entry);
  if (entry) scrollToItem(entry);
  quiet_ = wasQuiet;
}

void CProjectView::MarkSelectedCharacter(VoIItem* character) {
  auto setBold = [](VoIItem* item, bool on) {
    if (QTreeWidgetItem* e = EntryOf(item)) {
      QFont f = e->font(0);
      f.setBold(on);
      e->setFont(0, f);
    }
  };
  if (VoIItem* old = bold_.Get(); old && old != character) setBold(old, false);
  bold_ = character;
  setBold(character, true);
}

void CProjectView::EditLabel(VoIItem* item) {
  if (QTreeWidgetItem* entry = EntryOf(item)) editItem(entry, 0);
}

void CProjectView::OnSelectionChanged() {
  if (quiet_) return;
  if (VoIItem* item = ItemOf(currentItem())) document_->ClickSelect(item, 1);
}

void CProjectView::OnExpanded(QTreeWidgetItem* entry, bool expanded) {
  if (quiet_) return;
  VoIItem* item = ItemOf(entry);
  if (!item) return;
  const unsigned short state = item->GetState();
  item->SetState(expanded ? state | VoIItem::STATE_MARK20 : state & ~VoIItem::STATE_MARK20);
}

void CProjectView::mousePressEvent(QMouseEvent* event) {
  // A right press only opens the item menu (contextMenuEvent), which selects
  // with mode 0; Qt's selection on the press would click-select with mode 1,
  // and that plays a motion.
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

void CProjectView::contextMenuEvent(QContextMenuEvent* event) {
  QTreeWidgetItem* entry = itemAt(event->pos());
  VoIItem* item = ItemOf(entry);
  if (!item) return;
  document_->ClickSelect(item, 0);
  ShowItem(item);
  if (EditorUi* ui = document_->ui) ui->ShowItemMenu(event->globalPos().x(), event->globalPos().y(), item, nullptr);
}
