// File-dialog filters in the Windows form ("Text|*.a|Text|*.b||"), built from
// the master's import and export descriptors in list order.
#pragma once

#include "ferrox/string/Pstring.h"

class VoMaster;

// "対応しているすべての形式 |*.a;*.b|" + one entry per importer + all files.
Frx::Pstring ImportFilter(const VoMaster& master);
// One entry per exporter + all files.
Frx::Pstring ExportFilter(const VoMaster& master);
