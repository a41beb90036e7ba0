// VoClassDesc: the descriptor through which a library hands one item class,
// importer, exporter or command to the engine. Descriptors are static objects
// of the library that defines them; the master keeps bare pointers to them.
// The virtual slot order is shared with separately built plug-ins: append,
// never reorder.
#pragma once

class VoClassDesc {
 public:
  virtual ~VoClassDesc();
  virtual int IsItemPlugin() { return 0; }
  virtual int IsImportPlugin() { return 0; }
  virtual int IsExportPlugin() { return 0; }
  virtual int IsCommandPlugin() { return 0; }
  virtual const char* ClassName() = 0;
};
