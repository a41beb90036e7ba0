#include "plugins/Sorvel/BvhWriter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <vector>

#include "ferrox/ferrox/Ferrox.h"
#include "ferrox/file/TextFile.h"
#include "ferrox/string/FormatText.h"
#include "plugins/Sorvel/FrameRateQuestion.h"
#include "plugins/frame/PluginFrame.h"
#include "vocore/motion/VoIMotion.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/skeleton/VoIBone.h"
#include "vocore/skeleton/VoICoordinate.h"
#include "vocore/skeleton/VoISkelton.h"

namespace Bvh {

namespace {

using Frx::AppendFormat;

struct Joint {
  VoILocate* locate;
  bool root;
};

class StringSink : public TextSink {
 public:
  explicit StringSink(std::string& text) : text_(text) {}
  void Put(const char* text, size_t size) override { text_.append(text, size); }

 private:
  std::string& text_;
};

class FileSink : public TextSink {
 public:
  explicit FileSink(Frx::File::TextWriter& file) : file_(file) {}
  void Put(const char* text, size_t size) override { file_.Write(text, size); }

 private:
  Frx::File::TextWriter& file_;
};

// A value that is not finite would make a file no reader takes.
float Finite(float v) { return std::isfinite(v) ? v : 0.0f; }

void Indent(std::string& out, int depth) { out.append(size_t(depth), '\t'); }

void WriteEndSite(std::string& out, const Frx::Pvector& pos, int depth) {
  Indent(out, depth), out += "End Site\n";
  Indent(out, depth), out += "{\n";
  Indent(out, depth + 1), AppendFormat(out, "OFFSET %f %f %f\n", pos.x, pos.y, pos.z);
  Indent(out, depth), out += "}\n";
}

Frx::Pvector FinitePos(VoILocate* locate) {
  const Frx::Pvector& p = locate->GetPos();
  return Frx::Pvector(Finite(p.x), Finite(p.y), Finite(p.z));
}

// The skeleton's coordinates become ROOTs; under a joint a coordinate is a
// JOINT and a locate with no coordinate beside it an End Site (what
// VoILocate::IsEndSite tells, found once per joint rather than once per
// locate). A locate directly under the skeleton belongs to no joint and is
// left out.
void WriteBvhJoint(std::string& out, VoIItem* item, std::vector<Joint>& joints, int depth) {
  VoICoordinate* joint = item->IsCoordinate();
  VoIBranch* branch = item->IsBranch();
  if (!joint) {
    for (VoIItem* c = branch ? branch->GetFirstChild() : nullptr; c; c = branch->GetNextChild(c))
      if (c->IsCoordinate()) WriteBvhJoint(out, c, joints, depth);
    return;
  }
  const Frx::Pvector pos = FinitePos(joint);
  Indent(out, depth), AppendFormat(out, depth == 0 ? "ROOT %s\n" : "JOINT %s\n", joint->GetName());
  Indent(out, depth), out += "{\n";
  Indent(out, depth + 1), AppendFormat(out, "OFFSET %f %f %f\n", pos.x, pos.y, pos.z);
  joints.push_back(Joint{joint, depth == 0});
  Indent(out, depth + 1);
  out += depth == 0 ? "CHANNELS 6 Xposition Yposition Zposition Zrotation Yrotation Xrotation\n"
                    : "CHANNELS 3 Zrotation Yrotation Xrotation\n";
  bool endSites = true;
  for (VoIItem* c = branch->GetFirstChild(); c && endSites; c = branch->GetNextChild(c))
    endSites = !c->IsCoordinate();
  // The engine's walks end at this depth; deeper joints are not written.
  if (depth + 1 < VoIBranch::MaxDepth)
    for (VoIItem* c = branch->GetFirstChild(); c; c = branch->GetNextChild(c)) {
      VoILocate* locate = c->IsLocate();
      if (!locate) continue;
      if (locate->IsCoordinate())
        WriteBvhJoint(out, c, joints, depth + 1);
      else if (endSites)
        WriteEndSite(out, FinitePos(locate), depth + 1);
    }
  Indent(out, depth), out += "}\n";
}

// The sample times t = 0, step, 2 step ... up to the end frame, added up in
// floats as a player would step; the walk ends where a step no longer moves t.
template <class Visit>
int ForEachSample(float step, long end, Visit visit) {
  int count = 0;
  for (float t = 0.0f; end >= 0 && t <= float(end);) {
    visit(t);
    ++count;
    const float next = t + step;
    if (!(next > t)) break;
    t = next;
  }
  return count;
}

void AppendFrame(std::string& line, const std::vector<Joint>& joints) {
  for (const Joint& joint : joints) {
    if (joint.root) {
      VoIBone* bone = joint.locate->IsBone();
      const Frx::Pvector p = bone ? bone->GetPosStart() : joint.locate->GetPos();
      AppendFormat(line, "%f\t%f\t%f\t", Finite(p.x), Finite(p.y), Finite(p.z));
    }
    VoICoordinate* coordinate = joint.locate->IsCoordinate();
    const Frx::Pvector e = coordinate ? coordinate->GetRotate().GetEulerXYZ() : Frx::Pvector(0.0f, 0.0f, 0.0f);
    AppendFormat(line, "%f\t%f\t%f\t", Finite(e.z), Finite(e.y), Finite(e.x));
  }
  line += "\n";
}

}  // namespace

bool CanWriteBvh(VoICharacter* character) {
  VoISkelton* skeleton = character ? character->GetSkelton() : nullptr;
  if (!skeleton || !character->GetMotion()) return false;
  for (VoIItem* c = skeleton->GetFirstChild(); c; c = skeleton->GetNextChild(c))
    if (c->IsCoordinate()) return true;
  return false;
}

bool FitsOutput(VoICharacter* character) {
  VoIMotion* motion = character ? character->GetMotion() : nullptr;
  return motion && motion->endframe <= VoIMotion::MaxOutputFrames;
}

void ComposeBvhText(VoICharacter* character, float fps, TextSink& out) {
  if (!CanWriteBvh(character) || !FitsOutput(character) || !(fps > 0.0f && fps <= kMaxFrameRate)) return;
  VoIMotion* motion = character->GetMotion();
  std::string text = "HIERARCHY\n";
  std::vector<Joint> joints;
  WriteBvhJoint(text, character->GetSkelton(), joints, 0);
  text += "MOTION\n";

  const float step = 60.0f / fps;
  const long end = motion->endframe;
  const int frames = ForEachSample(step, end, [](float) {});
  AppendFormat(text, "Frames: %d\n", frames);
  AppendFormat(text, "Frame Time: %f\n", 1.0f / fps);
  out.Put(text.data(), text.size());

  // The connections may have been made for an earlier state of the motion.
  character->RegistAllControl(motion);
  const bool debug = Frx::theFerrox.debug == 1;
  ForEachSample(step, end, [&](float t) {
    if (debug) Frx::theFerrox.Log("out frame %f\n", t);
    character->SetTime(t);
    character->ReadAllControl(t);
    text.clear();
    AppendFrame(text, joints);
    out.Put(text.data(), text.size());
  });
}

std::string ComposeBvhText(VoICharacter* character, float fps) {
  std::string text;
  StringSink sink(text);
  ComposeBvhText(character, fps, sink);
  return text;
}

int WriteBvhFile(const char* path, VoIBranch* branch) {
  Frx::theFerrox.Log("BVH エクスポート : begin\n");
  VoICharacter* character = branch ? branch->IsCharacter() : nullptr;
  // Checked before anything is asked or written, so a target stays as it was.
  if (!path || !CanWriteBvh(character)) {
    Frx::theFerrox.Log("　　スケルトンまたはモーションがありません。\n");
    return 0;
  }
  if (!FitsOutput(character)) {
    const long end = character->GetMotion()->endframe;
    ShowMessage(0, "出力するフレームの範囲が長すぎます。(%d～%d)\n一度に出力できるのは %d フレームまでです。\n", 0,
                int(std::min<long>(end, INT_MAX)), int(VoIMotion::MaxOutputFrames));
    return 0;
  }
  float fps = kDefaultFrameRate;
  if (!AskFrameRate(fps)) return 1;
  if (!(fps > 0.0f && fps <= kMaxFrameRate)) {
    ShowMessage(0, "出力間隔には 0 より大きく %g 以下の値を指定してください。\n", double(kMaxFrameRate));
    return 0;
  }
  Frx::File::TextWriter file;
  if (!file.Open(path)) return 0;
  FileSink sink(file);
  ComposeBvhText(character, fps, sink);
  if (!file.Close()) return 0;
  Frx::theFerrox.Log("BVH エクスポート : end\n");
  return 1;
}

}  // namespace Bvh
