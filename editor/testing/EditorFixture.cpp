#include "editor/testing/EditorFixture.h"

#include "editor/app/Shutdown.h"
#include "ferrox/ferrox/MessageBox.h"

namespace edtest {

MessageBoxRecorder::MessageBoxRecorder() {
  Frx::SetMessageBoxHandler([this](HWND, const char* text, const char*, unsigned style) {
    texts.emplace_back(text ? text : "");
    styles.push_back(style);
    if (answers.empty()) return Frx::DefaultMessageBoxAnswer(style);
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { Frx::SetMessageBoxHandler({}); }

bool MessageBoxRecorder::Saw(const std::string& part) const {
  for (const std::string& t : texts)
    if (t.find(part) != std::string::npos) return true;
  return false;
}

void EditorFixture::SetUp() {
  ASSERT_EQ(master.Initialize(Renderer()), 1);
  host().SetMaster(&master);
  doc = std::make_unique<CTireloDoc>(&master, &host());
}

void EditorFixture::TearDown() {
  CloseEditor(*doc, master);
  doc.reset();
  host().SetMaster(nullptr);
}

void EditorFixture::BuildScene() {
  // general.mqo is not in the test's program folder: its import fails quietly.
  const size_t before = boxes.texts.size();
  doc->BuildStartupScene();
  boxes.texts.resize(before);
  boxes.styles.resize(before);
}

}  // namespace edtest
