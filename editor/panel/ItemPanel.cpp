#include "editor/panel/ItemPanel.h"

#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editor/document/CTireloDoc.h"
#include "editor/document/VoMasterSavora.h"
#include "editor/panel/MotionPage.h"
#include "editor/panel/NotePage.h"
#include "editor/panel/PropertyPage.h"
#include "editor/tree/TreeIcons.h"
#include "editor/tree/TreeRules.h"
#include "hostqt/Sjis.h"

ItemPanel::ItemPanel(CTireloDoc* document, QWidget* parent) : QWidget(parent), document_(document) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  line_ = new QListWidget(this);
  line_->setMaximumHeight(24);
  line_->setIconSize(QSize(16, 16));
  line_->setToolTip(QStringLiteral(u"アイテム"));
  tabs_ = new QTabWidget(this);
  layout->addWidget(line_);
  layout->addWidget(tabs_, 1);
  ShowItemInPanel(nullptr);
}

void ItemPanel::ShowItemInPanel(VoIItem* item) {
  shown_ = item;
  line_->clear();
  while (tabs_->count() > 0) {
    QWidget* page = tabs_->widget(0);
    tabs_->removeTab(0);
    delete page;  // drops the page's reference to its item
  }
  if (!item) {
    line_->addItem(QStringLiteral(u"アイテムは選択されていません"));
    return;
  }
  line_->addItem(new QListWidgetItem(TreeIcons::Icon(TreeRules::Icon(item, nullptr)),
                                     HostQt::FromSjis(item->GetNameEx().Get())));
  QWidget* page = nullptr;
  QString title;
  if (item->IsMotion()) {
    page = new MotionPage(item->IsMotion());
    title = QStringLiteral("Motion");
  } else if (item->IsNote()) {
    page = new NotePage(item->IsNote());
  } else {
    page = new PropertyPage(item, document_);
  }
  if (title.isEmpty()) {
    VoMaster* master = document_->master;
    const char* className = master ? master->GetClassNameA(item->GetClassID()) : nullptr;
    title = HostQt::FromSjis(className ? className : item->GetClassNameA());
  }
  tabs_->addTab(page, title);
}

bool ItemPanel::Follow(VoIItem* selected) {
  const bool released = shown_.GetRaw() && !shown_.Get();
  if (!released && selected == shown_.Get()) return false;
  ShowItemInPanel(selected);
  return true;
}

void ItemPanel::Refresh(VoIItem* selected) {
  if (!Follow(selected)) Reload(selected);
}

void ItemPanel::Reload(VoIItem* item) {
  VoIItem* shown = shown_.Get();
  if (!item || item != shown) return;
  if (QListWidgetItem* entry = line_->item(0)) entry->setText(HostQt::FromSjis(shown->GetNameEx().Get()));
  QWidget* page = tabs_->widget(0);
  if (auto* property = qobject_cast<PropertyPage*>(page)) property->Load();
  if (auto* motion = qobject_cast<MotionPage*>(page)) motion->Load();
}

void ItemPanel::Forget(VoIItem* item) {
  if (item && item == shown_.GetRaw()) ShowItemInPanel(nullptr);
}
