// Out-of-line key functions, so the descriptor tables live in the engine
// alone and no plug-in carries its own copy.
#include "vocore/vocore/VoClassDescExport.h"
#include "vocore/vocore/VoClassDescImport.h"
#include "vocore/vocore/VoClassDescItem.h"

VoClassDesc::~VoClassDesc() = default;

const char* VoClassDescIE::FileType() { return nullptr; }
const char* VoClassDescIE::FileExt() { return nullptr; }

int VoClassDescImport::IsImportPlugin() { return 1; }
int VoClassDescExport::IsExportPlugin() { return 1; }
int VoClassDescItem::IsItemPlugin() { return 1; }
