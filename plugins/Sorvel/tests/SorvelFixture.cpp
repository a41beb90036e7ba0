#include "SorvelFixture.h"

#include <cmath>
#include <cstdio>

#include "ferrox/math/Pmatrix.h"
#include "ferrox/testing/ReadWhole.h"
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
  previousQuestion_ = Bvh::SetFrameRateQuestion(&question);
}

void SorvelFixture::TearDown() {
  Bvh::SetFrameRateQuestion(previousQuestion_);
  MasterFixture::TearDown();
}

VoIItem* SorvelFixture::ImportText(const std::string& text, VoIBranch* into, const std::string& name) {
  scratch.Put(name, text);
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
  return box.size() > head.size() + 2 && box.compare(0, head.size(), head) == 0 &&
         box.compare(box.size() - 2, 2, ")\n") == 0 &&
         box.find_first_not_of("0123456789", head.size()) == box.size() - 2;
}

std::string FixtureText(const std::string& name) {
  return FrxTest::ReadWhole(std::string(SAVORA_TESTDATA_DIR) + "/bvh/" + name + "/" + name + ".bvh");
}

namespace {

std::string Rounded(float f) {
  double r = std::round(double(f) * 1e4) / 1e4;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.10g", r == 0 ? 0.0 : r);
  return buffer;
}
std::string Text(const Frx::Pvector& v) { return Rounded(v.x) + " " + Rounded(v.y) + " " + Rounded(v.z); }
std::string Text(const Frx::Pquaternion& q) { return Text(Frx::Pvector(q.x, q.y, q.z)) + " " + Rounded(q.w); }

template <class Control>
bool AppendCurve(std::string& out, Control* control) {
  if (!control) return false;
  out += " curve " + std::to_string(int(control->curve)) + "\n";
  for (const auto& k : control->keys) out += "    " + std::to_string(k.frame) + " (" + Text(k.value) + ")\n";
  return true;
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
    auto text = [](const char* s) { return std::string(s ? s : "?"); };
    out += "  " + text(c->GetClassNameA()) + " \"" + c->name + "\" drives " + text(c->GetOutClassName()) + "." +
           text(c->GetOutMemberName());
    if (!AppendCurve(out, c->IsControlVector()) && !AppendCurve(out, c->IsControlQuaternion())) out += "\n";
  }
  return out;
}

}  // namespace sorveltest
