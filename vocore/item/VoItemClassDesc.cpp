#include "vocore/item/VoItemClassDesc.h"

VoItemClassDesc::VoItemClassDesc(const char* name, unsigned long id, unsigned long)
    : classId(id), className(name ? name : "") {}
