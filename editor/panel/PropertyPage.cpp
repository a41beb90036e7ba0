#include "editor/panel/PropertyPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QLabel>
#include <QLineEdit>

#include "editor/document/CTireloDoc.h"
#include "hostqt/Sjis.h"
#include "vocore/item/Parameter.h"
#include "vocore/item/VoIItem.h"

namespace {

QRect RectOf(const PropertyRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QString Number(float v) { return QString::number(static_cast<double>(v), 'f', 4); }

}  // namespace

PropertyPage::PropertyPage(VoIItem* item, CTireloDoc* document, QWidget* parent)
    : QWidget(parent), item_(item), document_(document) {
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(12);
  setFont(font);
  const std::vector<PropertyRow> rows = PropertyRows::Build(item);
  if (rows.empty()) {
    auto* none = new QLabel(QStringLiteral(u"プロパティはありません"), this);
    none->setGeometry(5, 6, 240, 14);
  }
  for (const PropertyRow& row : rows) MakeRow(row);
  int bottom = 0;
  for (const Controls& c : rows_)
    for (const PropertyRect& r : c.row.fields) bottom = std::max(bottom, r.bottom);
  setMinimumSize(250, bottom + 5);
  Load();
}

void PropertyPage::MakeRow(const PropertyRow& row) {
  Controls c;
  c.row = row;
  const Parameter& p = *row.parameter;
  const QString label = HostQt::FromSjis(p.label ? p.label : p.name);
  if (p.type != Parameter::TYPE_INT) (new QLabel(label, this))->setGeometry(RectOf(row.label));
  auto save = [this] { if (!loading_) Save(); };
  switch (p.type) {
    case Parameter::TYPE_INT:
      c.check = new QCheckBox(label, this);
      c.check->setGeometry(RectOf(row.fields[0]));
      connect(c.check, &QCheckBox::clicked, this, save);
      break;
    case Parameter::TYPE_ENUM:
      c.list = new QComboBox(this);
      c.list->setGeometry(RectOf(row.fields[0]).adjusted(0, 0, 0, 19 - RectOf(row.fields[0]).height()));
      for (const Frx::Pstring& name : PropertyRows::EnumNames(p)) c.list->addItem(HostQt::FromSjis(name.Get()));
      connect(c.list, &QComboBox::currentIndexChanged, this, save);
      break;
    default:
      for (const PropertyRect& r : row.fields) {
        auto* edit = new QLineEdit(this);
        edit->setGeometry(RectOf(r));
        if (p.type == Parameter::TYPE_REFER) edit->setReadOnly(true);
        if (p.type == Parameter::TYPE_FLOAT) edit->setAlignment(Qt::AlignRight);
        if (p.type != Parameter::TYPE_STRING && p.type != Parameter::TYPE_REFER)
          {
            // Numbers are the C locale's, whatever Qt took from the environment.
            auto* validator = new QDoubleValidator(edit);
            validator->setLocale(QLocale::c());
            edit->setValidator(validator);
          }
        connect(edit, &QLineEdit::returnPressed, this, save);
        c.edits.push_back(edit);
      }
      break;
  }
  rows_.push_back(c);
}

void PropertyPage::Load() {
  VoIItem* item = item_;
  if (!item) return;
  loading_ = true;
  for (Controls& c : rows_) {
    const Parameter& p = *c.row.parameter;
    // A row the user is typing in keeps what was typed until it is saved.
    bool typing = false;
    for (QLineEdit* e : c.edits) typing = typing || (e->hasFocus() && e->isModified());
    if (typing) continue;
    switch (p.type) {
      case Parameter::TYPE_INT: c.check->setChecked(PropertyRows::ReadInt(item, p) != 0); break;
      case Parameter::TYPE_ENUM: c.list->setCurrentIndex(PropertyRows::ReadInt(item, p)); break;
      case Parameter::TYPE_FLOAT: c.edits[0]->setText(Number(PropertyRows::ReadFloat(item, p))); break;
      case Parameter::TYPE_STRING: c.edits[0]->setText(HostQt::FromSjis(PropertyRows::ReadString(item, p).Get())); break;
      case Parameter::TYPE_REFER:
        c.edits[0]->setText(HostQt::FromSjis(PropertyRows::ReadReferName(item, p).Get()));
        break;
      default: {
        const Frx::Pvector v = PropertyRows::ReadVector(item, p);
        c.edits[0]->setText(Number(v.x)), c.edits[1]->setText(Number(v.y)), c.edits[2]->setText(Number(v.z));
      }
    }
  }
  loading_ = false;
}

void PropertyPage::Save() {
  VoIItem* item = item_;
  if (!item) return;
  for (Controls& c : rows_) {
    const Parameter& p = *c.row.parameter;
    if (p.IsReadOnly()) continue;
    switch (p.type) {
      case Parameter::TYPE_INT: PropertyRows::WriteInt(item, p, c.check->isChecked() ? 1 : 0); break;
      case Parameter::TYPE_ENUM:
        if (c.list->count() > 0) PropertyRows::WriteInt(item, p, c.list->currentIndex());
        break;
      case Parameter::TYPE_FLOAT: PropertyRows::WriteFloat(item, p, c.edits[0]->text().toFloat()); break;
      case Parameter::TYPE_STRING:
        PropertyRows::WriteString(item, p, HostQt::ToSjis(c.edits[0]->text()).constData());
        break;
      case Parameter::TYPE_REFER: break;
      default:
        PropertyRows::WriteVector(item, p, Frx::Pvector(c.edits[0]->text().toFloat(), c.edits[1]->text().toFloat(),
                                                        c.edits[2]->text().toFloat()));
    }
  }
  for (Controls& c : rows_)
    for (QLineEdit* e : c.edits) e->setModified(false);
  item->SetUpdateFlag(0xFFFF);
  document_->RefreshTreeItem(item);
}
