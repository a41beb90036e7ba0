#include "SorvelFixture.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <cmath>
#include <cstdio>

#include "ferrox/math/Pmatrix.h"
#include "vocore/motion/VoIControlQuaternion.h"
#include "vocore/motion/VoIControlVector.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace sorveltest {

bool ScriptedQuestion::Ask(float& fps) {
  asked.push_back(fps);
  if (answers.empty()) return true;
  const Answer answer = answers.front();
  answers.pop_front();
  if (answer.ok) fps = answer.fps;
  return answer.ok;
}

void SorvelFixture::SetUp() {
  MasterFixture::SetUp();
  master.RegistClassDesc(&importer);
  master.RegistClassDesc(&exporter);
  previousBox_ = Frx::SetMessageBoxHandler([this](HWND, const char* text, const char*, unsigned) {
    boxes.emplace_back(text);
    return 1;
  });
  previousQuestion_ = Bvh::SetFrameRateQuestion(&question);
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder = ::testing::TempDir() + "sorvel-" + std::to_string(getpid()) + "-" + info->name() + "/";
  std::filesystem::create_directories(folder);
}

void SorvelFixture::TearDown() {
  Bvh::SetFrameRateQuestion(previousQuestion_);
  Frx::SetMessageBoxHandler(previousBox_);
  MasterFixture::TearDown();
  std::error_code error;
  std::filesystem::remove_all(folder, error);
}

void SorvelFixture::WriteScratch(const std::string& name, const std::string& bytes) const {
  std::ofstream(Scratch(name), std::ios::binary) << bytes;
}

VoIItem* SorvelFixture::ImportText(const std::string& text, VoIBranch* into, const std::string& name) {
  WriteScratch(name, text);
  return master.Import(Scratch(name).c_str(), into, 0);
}

void SorvelFixture::PoseAt(VoICharacter* character, float frame) {
  master.CountUpdate();
  master.Animation(character, Frx::Pmatrix::id, frame);
}

namespace {

void CollectWorld(VoIItem* item, std::vector<Frx::Pvector>& out) {
  if (VoICoordinate* c = item->IsCoordinate()) out.push_back(c->GetWPos());
  if (VoIBranch* b = item->IsBranch())
    for (VoIItem* c = b->GetFirstChild(); c; c = b->GetNextChild(c)) CollectWorld(c, out);
}

}  // namespace

std::vector<Frx::Pvector> SorvelFixture::JointWorldPositions(VoICharacter* character) {
  std::vector<Frx::Pvector> out;
  if (VoISkelton* s = character->GetSkelton()) CollectWorld(s, out);
  return out;
}

VoIItem* SorvelFixture::Find(VoIBranch* branch, const char* name) {
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) {
    if (c->name == name) return c;
    if (VoIBranch* b = c->IsBranch())
      if (VoIItem* found = Find(b, name)) return found;
  }
  return nullptr;
}

std::vector<VoIItem*> SorvelFixture::Children(VoIBranch* branch) {
  std::vector<VoIItem*> items;
  for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) items.push_back(c);
  return items;
}

std::string BvhText(const std::string& hierarchy, int frames, const std::string& frameLines, const char* frameTime) {
  return "HIERARCHY\n" + hierarchy + "MOTION\nFrames: " + std::to_string(frames) + "\nFrame Time: " + frameTime +
         "\n" + frameLines;
}

// Compared by bytes: Shift-JIS trail bytes include "[" and "\\", which a
// pattern would take for its own.
bool IsStructureError(const std::string& box) {
  const std::string head = "インポート中にエラーが発生しました。\nエラーが発生した場所(BvhParser.cpp:";
  if (box.compare(0, head.size(), head) != 0 || box.size() < head.size() + 3) return false;
  const std::string line = box.substr(head.size(), box.size() - head.size() - 2);
  return box.compare(box.size() - 2, 2, ")\n") == 0 && !line.empty() &&
         line.find_first_not_of("0123456789") == std::string::npos;
}

const char* const kTwoRoots = R"(ROOT Hips
{
	OFFSET 1 2 3
	CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation
	JOINT Chest
	{
		OFFSET 0 5 0
		CHANNELS 3 Zrotation Yrotation Xrotation
		End Site
		{
			OFFSET 0 2 0
		}
	}
}
ROOT Prop
{
	OFFSET 10 0 0
	CHANNELS 6 Zrotation Yrotation Xrotation Xposition Yposition Zposition
	End Site
	{
		OFFSET 1 0 0
	}
}
)";

std::string TwoRootsFrames(int frames) {
  std::string lines;
  for (int i = 0; i < frames; ++i) {
    for (int v = 0; v < 15; ++v) lines += std::to_string(100 * i + v) + (v < 14 ? " " : "\n");
  }
  return lines;
}

namespace {

std::string Rounded(float f) {
  double r = std::round(double(f) * 1e4) / 1e4;
  if (r == 0) r = 0;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.10g", r);
  return buffer;
}

}  // namespace

std::string DumpMotion(VoICharacter* character) {
  VoIMotion* motion = character ? character->GetMotion() : nullptr;
  if (!motion) return "no motion\n";
  std::string out = "motion \"" + motion->name + "\" endframe " + std::to_string(motion->endframe) + " loop " +
                    std::to_string(motion->loop) + "\n";
  for (VoIItem* item = motion->GetFirstChild(); item; item = motion->GetNextChild(item)) {
    VoIControl* c = item->IsControl();
    if (!c) continue;
    const char* cls = c->GetClassNameA();
    const char* outClass = c->GetOutClassName();
    const char* member = c->GetOutMemberName();
    out += std::string("  ") + (cls ? cls : "?") + " \"" + c->name + "\" drives " + (outClass ? outClass : "?") + "." +
           (member ? member : "?");
    if (VoIControlVector* v = c->IsControlVector()) {
      out += " curve " + std::to_string(int(v->curve)) + "\n";
      for (const auto& k : v->keys)
        out += "    " + std::to_string(k.frame) + " (" + Rounded(k.value.x) + " " + Rounded(k.value.y) + " " +
               Rounded(k.value.z) + ")\n";
    } else if (VoIControlQuaternion* q = c->IsControlQuaternion()) {
      out += " curve " + std::to_string(int(q->curve)) + "\n";
      for (const auto& k : q->keys)
        out += "    " + std::to_string(k.frame) + " (" + Rounded(k.value.x) + " " + Rounded(k.value.y) + " " +
               Rounded(k.value.z) + " " + Rounded(k.value.w) + ")\n";
    } else {
      out += "\n";
    }
  }
  return out;
}

}  // namespace sorveltest
