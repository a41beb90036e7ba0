#include "Lumacet/host/PageFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace LumacetHost {

namespace {

constexpr std::streamoff MaxPageBytes = 1 << 20;

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return std::string();
  return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// Blank-separated words; "..." keeps blanks, \" and \\ escape inside it.
bool Words(const std::string& s, std::vector<std::string>* out) {
  size_t i = 0;
  while (true) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    if (i >= s.size()) return true;
    std::string word;
    if (s[i] == '"') {
      for (++i; i < s.size() && s[i] != '"'; ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) ++i;
        word += s[i];
      }
      if (i >= s.size()) return false;
      ++i;
    } else {
      while (i < s.size() && s[i] != ' ' && s[i] != '\t') word += s[i++];
    }
    out->push_back(word);
  }
}

bool TwoNumbers(const std::string& value, int* a, int* b) {
  char extra = 0;
  return std::sscanf(value.c_str(), "%d %d %c", a, b, &extra) == 2;
}

// "x y width height label": the label is the rest of the line.
bool ParseButton(const std::string& value, Button* b) {
  int used = 0;
  if (std::sscanf(value.c_str(), "%d %d %d %d %n", &b->x, &b->y, &b->width, &b->height, &used) != 4) return false;
  b->label = Trim(value.substr(static_cast<size_t>(used)));
  return !b->label.empty() && b->width > 0 && b->height > 0 && b->width <= 16384 && b->height <= 16384;
}

}  // namespace

bool ParsePage(const std::string& text, Page* page, std::string* error) {
  std::istringstream lines(text);
  std::string raw, section;
  int number = 0;
  auto fail = [&](const std::string& why) {
    *error = "line " + std::to_string(number) + ": " + why;
    return false;
  };
  while (std::getline(lines, raw)) {
    ++number;
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return fail("unclosed section");
      section = line.substr(1, line.size() - 2);
      if (section != "page" && section != "properties" && section != "calls") return fail("unknown section");
      continue;
    }
    const size_t equals = line.find('=');
    // "Name = value" when one bare word stands before the "=".
    bool assignment = false;
    if (equals != std::string::npos) {
      const std::string left = Trim(line.substr(0, equals));
      assignment = !left.empty() && left.find_first_of(" \t\"") == std::string::npos;
    }
    if (section == "page" || section == "properties") {
      if (equals == std::string::npos) return fail("\"name = value\" expected");
      const std::string name = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
      if (name.empty()) return fail("no name");
      if (section == "properties") {
        page->properties.emplace_back(name, value);
      } else if (name == "title") {
        page->title = value;
      } else if (name == "size") {
        if (!TwoNumbers(value, &page->width, &page->height) || page->width <= 0 || page->height <= 0 ||
            page->width > 16384 || page->height > 16384)
          return fail("size: two numbers from 1 to 16384 expected");
      } else if (name == "at") {
        if (!TwoNumbers(value, &page->x, &page->y)) return fail("at: two numbers expected");
      } else if (name == "button") {
        Button button;
        if (!ParseButton(value, &button)) return fail("button: x y width height label expected");
        page->buttons.push_back(button);
      } else {
        return fail("unknown page setting");
      }
      continue;
    }
    if (section != "calls") return fail("outside a section");
    Call call;
    call.line = number;
    if (assignment) {
      call.name = Trim(line.substr(0, equals));
      call.put = true;
      if (!Words(Trim(line.substr(equals + 1)), &call.args) || call.args.size() != 1)
        return fail("one value expected after \"=\"");
    } else {
      std::vector<std::string> words;
      if (!Words(line, &words)) return fail("unclosed quote");
      call.name = words[0];
      call.args.assign(words.begin() + 1, words.end());
    }
    if (call.name.empty()) return fail("no member name");
    page->calls.push_back(call);
  }
  return true;
}

bool ReadPage(const std::string& path, Page* page, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot open " + path;
    return false;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || size > MaxPageBytes) {
    *error = path + ": not a page file (over 1 MiB)";
    return false;
  }
  in.seekg(0);
  std::string text(static_cast<size_t>(size), '\0');
  in.read(text.data(), size);
  return ParsePage(text, page, error);
}

}  // namespace LumacetHost
