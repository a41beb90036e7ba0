#include <gtest/gtest.h>

#include "editor/document/CommandIds.h"
#include "editor/document/DocumentPrompts.h"
#include "editor/document/Playback.h"
#include "editor/frame/Commands.h"
#include "editor/frame/FilterText.h"
#include "editor/testing/EditorFixture.h"
#include "editor/testing/TestImporter.h"
#include "ferrox/testing/TempFolder.h"
#include "vocore/skeleton/VoISkelton.h"
#include "vocore/vocore/VoClassDescCommand.h"

namespace {

// A command that records what it ran on and answers `result`.
class RecordingCommand : public VoClassDescCommand {
 public:
  explicit RecordingCommand(const char* name, int result = 1) : name_(name), result_(result) {}
  const char* ClassName() override { return name_; }
  char* MenuName() override { return const_cast<char*>(name_); }
  int Execute(VoIItem* dst, VoIItem* src, unsigned long flags) override {
    destination = dst, source = src, host = flags;
    return result_;
  }
  VoIItem* destination = nullptr;
  VoIItem* source = nullptr;
  unsigned long host = 0;

 private:
  const char* name_;
  int result_;
};

class CommandsTest : public edtest::EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    BuildScene();
  }
};

// Answers every file dialog with one path.
class OnePath : public DocumentPrompts {
 public:
  explicit OnePath(Frx::Pstring path) : path_(std::move(path)) {}
  Frx::Pstring OpenFileName(const char*) override { return path_; }
  Frx::Pstring SaveFileName(const char*, const char*) override { return path_; }

 private:
  Frx::Pstring path_;
};

TEST_F(CommandsTest, NewProjectReplacesProjectWithAFullItemAtFrameZero) {
  VoRefer<VoICharacter> old = doc->project.Get();  // kept to look at after its release
  Playback::Play(*doc);  // the old scene played from 7 to 20.5
  doc->playFrame = 7.0f, doc->currentFrame = 20.5f, doc->previousFrame = 20.0f;
  boxes.Answer(IDNO);
  Commands::Run(*doc, Cmd::FileNew);
  EXPECT_EQ(doc->project.Get(), old.Get());
  EXPECT_EQ(doc->currentFrame, 20.5f);
  EXPECT_EQ(doc->paused, 0);
  boxes.Answer(IDYES);
  Commands::Run(*doc, Cmd::FileNew);
  VoICharacter* fresh = doc->project;
  ASSERT_NE(fresh, old.GetRaw());
  EXPECT_TRUE(old.GetRaw()->IsRelease());
  EXPECT_STREQ(fresh->GetName(), "project");
  EXPECT_NE(fresh->GetExtend(), nullptr);  // made through CreateState
  EXPECT_EQ(doc->current.Get(), fresh);
  // As at start: paused at frame 0, and Stop stays there.
  EXPECT_EQ(doc->currentFrame, 0.0f);
  EXPECT_EQ(doc->previousFrame, 0.0f);
  EXPECT_EQ(doc->paused, 1);
  Playback::Stop(*doc);
  EXPECT_EQ(doc->currentFrame, 0.0f);

  // File / Open imports into the scene: the frame and playback go on.
  edtest::TestImporter kvm("kvm", edtest::TestImporter::MakeMotion);
  master.RegistClassDesc(&kvm);
  FrxTest::TempFolder folder;
  folder.Put("walk.kvm", "x");
  OnePath prompts(folder.System("walk.kvm").c_str());
  doc->prompts = &prompts;
  Playback::Play(*doc);
  doc->currentFrame = 12.0f;
  Commands::Run(*doc, Cmd::FileOpen);
  doc->prompts = nullptr;
  EXPECT_EQ(kvm.calls, 1);
  EXPECT_EQ(doc->currentFrame, 12.0f);
  EXPECT_EQ(doc->paused, 0);
}

TEST_F(CommandsTest, PluginCommandsGetTheirTargets) {
  RecordingCommand cmd("Rec");
  master.RegistClassDesc(&cmd);
  VoIItem* light = doc->general->GetItem("light");
  host().ClickSelect(light, 0);
  EXPECT_TRUE(Commands::Run(*doc, Cmd::PluginFirst));
  EXPECT_EQ(cmd.destination, doc->current.Get());
  EXPECT_EQ(cmd.source, light);
  EXPECT_EQ(cmd.host, FlagsFromHost(&host()));
  EXPECT_EQ(doc->deferred.back().Get(), doc->current.Get());  // a result of 1 queues the destination
  Commands::SetPluginTargets(doc->general, nullptr);  // from an item's menu
  Commands::RunPlugin(*doc, 0);
  EXPECT_EQ(cmd.destination, doc->general.Get());
  EXPECT_FALSE(Commands::RunPlugin(*doc, 5));  // beyond the list: nothing
}

TEST_F(CommandsTest, MirrorQueuesOnlyWhenItRan) {
  VoICharacter* c = doc->NewCharacter(doc->project);
  VoISkelton* s = Make<VoISkelton>(c, "s");
  host().ClickSelect(c, 0);
  Commands::Run(*doc, Cmd::Mirror, Commands::Frame::View);
  EXPECT_TRUE(doc->deferred.empty());  // no plug-in offers the mirror
  RecordingCommand mirror("LRMirrorSkelton");
  master.RegistClassDesc(&mirror);
  Commands::Run(*doc, Cmd::Mirror, Commands::Frame::View);
  EXPECT_EQ(mirror.destination, s);
  ASSERT_EQ(doc->deferred.size(), 1u);
  EXPECT_EQ(doc->deferred.front().Get(), s);
}

TEST_F(CommandsTest, DropsScopeOnlyASingleCharacterDroppedOnTheProject) {
  edtest::TestImporter mqo("mqo", edtest::TestImporter::MakeObject);
  master.RegistClassDesc(&mqo);
  FrxTest::TempFolder folder;
  folder.Put("a.mqo", "x");
  folder.Put("b.mqo", "x");
  const Frx::Pstring a = folder.System("a.mqo").c_str(), b = folder.System("b.mqo").c_str();
  Commands::DropFiles(*doc, {a, b, folder.System("nothing").c_str()});
  EXPECT_EQ(doc->current.Get(), doc->project.Get());
  Commands::DropFiles(*doc, {a});
  ASSERT_NE(doc->current.Get(), doc->project.Get());
  EXPECT_STREQ(doc->current->GetName(), "a.mqo");
  VoICharacter* scoped = doc->current;
  boxes.Answer(IDYES);  // into the scoped character: the scope stays
  Commands::DropFiles(*doc, {b});
  EXPECT_EQ(doc->current.Get(), scoped);
  EXPECT_NE(scoped->GetItem("b.mqo"), nullptr);
}

TEST(FilterText, SplitsWindowsFilters) {
  const auto entries = ParseFilter("対応しているすべての形式 |*.bmp;*.mqo|Bitmap Image Files (*.bmp)|*.bmp|All Files (*.*)|*.*||");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_STREQ(entries[0].name.Get(), "対応しているすべての形式");
  EXPECT_STREQ(entries[0].patterns.Get(), "*.bmp *.mqo");
  EXPECT_STREQ(entries[1].name.Get(), "Bitmap Image Files");
  EXPECT_STREQ(entries[2].patterns.Get(), "*.*");
  EXPECT_TRUE(ParseFilter("").empty());
  EXPECT_TRUE(ParseFilter(nullptr).empty());
}

}  // namespace
