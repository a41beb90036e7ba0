// SerialMQO through a fake host: which files it exports after which frames,
// the folders it makes, its initial values, and what it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RastelFixture.h"
#include "ferrox/ferrox/Ferrox.h"
#include "plugins/Rastel/SerialMQO.h"
#include "vocore/Renddx/testing/SceneBuild.h"
#include "vocore/vocore/VoClassDescExport.h"

namespace rasteltest {
namespace {

// An MQO exporter that records each file asked for and how many frames the
// host had rendered by then.
class RecordingExport : public VoClassDescExport {
 public:
  const char* ClassName() override { return "RecordingMQO"; }
  const char* FileType() override { return "Metasequoia Object Files (*.mqo)"; }
  const char* FileExt() override { return "mqo"; }
  int Export(const char* path, VoIBranch* branch, unsigned long flags) override {
    files.push_back({path, branch, flags, host ? host->renderedFrames.size() : 0});
    return 1;
  }
  struct File {
    std::string path;
    VoIBranch* branch;
    unsigned long flags;
    size_t renderedBefore;
  };
  std::vector<File> files;
  FakeHost* host = nullptr;
};

class SerialMqoTest : public RastelFixture {
 protected:
  void SetUp() override {
    RastelFixture::SetUp();
    exporter.host = &host;
    master.RegistClassDesc(&exporter);
  }
  int Run() { return command.Execute(nullptr, nullptr, host.Flags()); }
  SerialMQO command{&asker};
  RecordingExport exporter;
};

TEST_F(SerialMqoTest, ExportsBeforeEachStepUntilTheFrameToRenderIsTheEnd) {
  struct Case {
    const char* what;
    long end, first, last;
    unsigned step;
    size_t files;   // 0000, 0001, ... each after `step` more frames
    long rendered;  // frames first, first + 1, ...
  };
  const Case cases[] = {
      {"0 to 10 by 5", 20, 0, 10, 5, 3, 10},
      {"the motion ends first", 12, 0, 100, 5, 3, 12},
      {"one frame", 12, 3, 3, 5, 1, 0},
      {"from 4 by 3", 12, 4, 12, 3, 3, 8},
      {"a first frame past the end", 12, 20, 30, 5, 0, 0},
      {"step 0 is taken as 1", 12, 0, 2, 0, 3, 2},
  };
  VoIMotion* walk = AddMotion("walk", 0, 0);
  character->SetMotion(walk);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    walk->SetEndFrame(c.end);
    host.renderedFrames.clear();
    exporter.files.clear();
    const std::string prefix = folder.System(std::string("out\\") + c.what);
    asker.editMqo = [&](SerialMqoAnswers& a) {
      a.prefix = prefix;
      a.first = c.first, a.last = c.last, a.step = c.step;
    };
    EXPECT_EQ(Run(), 1);
    std::vector<float> rendered;
    for (long f = c.first; f < c.first + c.rendered; ++f) rendered.push_back(float(f));
    EXPECT_EQ(host.renderedFrames, rendered);
    ASSERT_EQ(exporter.files.size(), c.files);
    const size_t step = c.step ? c.step : 1;
    for (size_t n = 0; n < c.files; ++n) {
      char number[32];
      std::snprintf(number, sizeof number, "%04zu", n);
      EXPECT_EQ(exporter.files[n].path, prefix + number + ".mqo");
      EXPECT_EQ(exporter.files[n].branch, character);
      EXPECT_EQ(exporter.files[n].flags, 0ul);
      EXPECT_EQ(exporter.files[n].renderedBefore, n * step) << n;
    }
  }
  EXPECT_TRUE(folder.Exists("out")) << "the prefix's folder is made";
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
}

TEST_F(SerialMqoTest, OffersItsInitialValuesAndRefusesWhatItCannotDo) {
  {
    SCOPED_TRACE("no motion");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"カレントアイテムで再生中のモーションが存在しません。\n"});
    EXPECT_EQ(asker.asked, 0);
  }
  {
    SCOPED_TRACE("initial values");
    character->SetMotion(AddMotion("walk", 42, 0));
    asker.ok = false;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(asker.shownMqo.prefix, std::string(Frx::theFerrox.systemPath.Get()) + "ScreenShots\\sshot");
    EXPECT_EQ(asker.shownMqo.first, 0);
    EXPECT_EQ(asker.shownMqo.last, 42);
    EXPECT_EQ(asker.shownMqo.step, 5u);
    EXPECT_TRUE(exporter.files.empty()) << "Cancel writes nothing";
  }
  {
    SCOPED_TRACE("no host");
    boxes.Clear();
    EXPECT_EQ(command.Execute(nullptr, nullptr, 0), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"このツールは Savora.exe からの呼び出しにしか対応していません。\n"});
  }
}

TEST(SerialMqoModule, WritesMetasequoiaFilesThroughTheLoadedExporter) {
  FrxTest::MessageBoxRecorder boxes(IDOK);
  FrxTest::TempFolder folder;
  {
    VoMaster master;
    ASSERT_EQ(master.Initialize(nullptr), 1);
    ASSERT_EQ(master.LoadPlugin("plugins\\pelarn.dll"), 1);
    VoICharacter* character = master.NewItem<VoICharacter>(nullptr);
    character->SetName("hero");
    votest::AddPolygon(master, character, votest::Quad(), votest::AddMaterial(master, character, {}));
    VoIMotion* walk = master.NewItem<VoIMotion>(character);
    walk->SetEndFrame(4);
    character->SetMotion(walk);
    FakeHost host;
    host.master = &master;
    host.current = character;
    TestAsker asker;
    asker.editMqo = [&](SerialMqoAnswers& a) { a.prefix = folder.System("frames\\hero"), a.step = 2; };
    SerialMQO command(&asker);
    EXPECT_EQ(command.Execute(nullptr, nullptr, host.Flags()), 1);
    master.ReleaseItem(character);
    master.Uninitialize();
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  ASSERT_EQ(folder.Count("frames"), 3u);  // before frames 0, 2 and at 4
  for (const char* name : {"hero0000.mqo", "hero0001.mqo", "hero0002.mqo"})
    EXPECT_EQ(folder.Get(std::string("frames/") + name).rfind("Metasequoia Document", 0), 0u) << name;
}

}  // namespace
}  // namespace rasteltest
