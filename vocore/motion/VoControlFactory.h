// Makes a motion child of a given control class under a parent, copying a
// source into it. Classes with a registered descriptor go through the master,
// so a host's descriptor is honoured; Int, Float and Bool, which have none,
// are constructed here.
#pragma once

class VoIBranch;
class VoIItem;

VoIItem* VoCreateControl(unsigned long classId, VoIBranch* parent, VoIItem* source);
// The block name a control class is written and read under; null for other classes.
const char* VoControlBlockName(unsigned long classId);
