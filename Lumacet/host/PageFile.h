// A page for lumacet-host: where the control sits, its persisted properties,
// and the calls a script on the page makes, in order. UTF-8 text:
//
//   [page]                      [properties]          [calls]
//   title = Savora Player       Mode = Frame          Import demo.mqo
//   size = 640 480              RenderMode = Cell     SetMotion walk
//   at = 160 120                _cx = 320             px = 10
//   button = 10 10 80 24 Next                         Play
//
// A call is a member name and its arguments (blank-separated, "..." for one
// with blanks), or "Name = value" for a property. "#" starts a comment line.
// A button (x y width height label) is a push button of the page, beneath
// the control; the host prints "button LABEL clicked" when it is clicked.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace LumacetHost {

struct Call {
  std::string name;
  std::vector<std::string> args;
  bool put = false;  // "Name = value"
  int line = 0;
};

struct Button {
  int x = 0, y = 0, width = 0, height = 0;
  std::string label;
};

struct Page {
  std::string title = "Savora Player";
  int width = 640, height = 480;
  int x = 0, y = 0;
  std::vector<std::pair<std::string, std::string>> properties;
  std::vector<Call> calls;
  std::vector<Button> buttons;
};

// Parses the text; false with a message naming the line for what it cannot read.
bool ParsePage(const std::string& text, Page* page, std::string* error);
// Reads and parses a file (at most 1 MiB).
bool ReadPage(const std::string& path, Page* page, std::string* error);

}  // namespace LumacetHost
