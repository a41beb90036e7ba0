// The editor's close sequence, from the main window's close down to the
// engine: selection and scope cleared, the references of the document, the
// view camera and the panels dropped, "project", "general" and the time bar
// released, then the engine uninitialised (which frees the plug-ins).
#pragma once

class CTireloDoc;
class VoMasterSavora;

void CloseEditor(CTireloDoc& doc, VoMasterSavora& master);
