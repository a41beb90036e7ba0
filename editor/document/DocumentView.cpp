#include "editor/document/DocumentView.h"

namespace {
DocumentView* current = nullptr;
}

DocumentView* CurrentView() { return current; }

void SetCurrentView(DocumentView* view) { current = view; }
