#include "editor/document/FileFilters.h"

#include "vocore/vocore/VoClassDescExport.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoMaster.h"

namespace {

const char* Text(const char* s) { return s ? s : ""; }

template <class List>
void AppendEntries(Frx::Pstring& out, const List& descs) {
  for (auto* desc : descs) {
    out += Text(desc->FileType());
    out += "|*.";
    out += Text(desc->FileExt());
    out += "|";
  }
}

}  // namespace

Frx::Pstring ImportFilter(const VoMaster& master) {
  Frx::Pstring out("対応しているすべての形式 |");
  bool first = true;
  for (VoClassDescImport* desc : master.GetImportDescList()) {
    if (!first) out += ";";
    out += "*.";
    out += Text(desc->FileExt());
    first = false;
  }
  out += "|";
  AppendEntries(out, master.GetImportDescList());
  out += "All Files (*.*)|*.*||";
  return out;
}

Frx::Pstring ExportFilter(const VoMaster& master) {
  Frx::Pstring out;
  AppendEntries(out, master.GetExportDescList());
  out += "All Files (*.*)|*.*||";
  return out;
}
