// "http:" imports from a loopback server the test runs: a model and its
// texture arrive byte for byte and are imported; a missing file, a refused
// connection, a cut body, a redirect off the web and a URL without a file
// name each report their error, leave no file and import nothing; names no
// importer reads and files that are not writable regular files are refused
// before asking; a trickle and a body over the size cap end in failure; each
// control's downloads stay within a total of their own; a model nested
// deeper than the engine walks is refused and the control goes on.
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <tuple>

#include "LoopbackServer.h"
#include "PlayerTesting.h"
#include "Lumacet/Download.h"
#include "ferrox/testing/InChild.h"
#include "ferrox/testing/LogCapture.h"
#include "ferrox/testing/MessageBoxRecorder.h"
#include "ferrox/testing/ReadWhole.h"
#include "ferrox/testing/Scopes.h"
#include "ferrox/testing/TempFolder.h"
#include "plugins/testing/DeepModels.h"
#include "vocore/geometry/VoIPolygon.h"
#include "vocore/scene/VoICharacter.h"
#include "vocore/scene/VoITexture.h"
#include "vocore/vocore/VoMaster.h"

namespace {

using lumatest::LoopbackServer;

const std::string Model =
    "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n"
    "Material 1 {\r\n\t\"skin\" col(1 1 1 1) dif(0.8) amb(0.6) tex(\"tex.bmp\")\r\n}\r\n"
    "Object \"quad\" {\r\n\tvertex 4 {\r\n\t\t-50 -50 0\r\n\t\t50 -50 0\r\n\t\t50 50 0\r\n\t\t-50 50 0\r\n\t}\r\n"
    "\tface 1 {\r\n\t\t4 V(0 1 2 3) M(0) UV(0 0 1 0 1 1 0 1)\r\n\t}\r\n}\r\nEof\r\n";

// Downloads land in the current folder: a scratch one for each test.
class Downloads : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server.Running()); }

  FrxTest::TempFolder folder;
  FrxTest::FolderScope inFolder{folder.Native()};
  LoopbackServer server;
  FrxTest::MessageBoxRecorder boxes{IDOK};
  PlayerLoop loop{nullptr};
};

TEST(DownloadName, IsTheLastPathElementWithoutQueryOrFragment) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://host/dir/model.mqo", "model.mqo"},
      {"http://host/model.mqo?v=2#top", "model.mqo"},
      {"http://host/model.mqo#a?b", "model.mqo"},
      {"http://host/a.kvm?next=/b/c.mqo", "a.kvm"},
      {"http://host:8080/x\\y.bmp", "y.bmp"},
      {"http://host/dir/", ""},
      {"http://host", ""},
      {"http://host?x=/a.mqo", ""},
      {"http://host/.", ""},
      {"http://host/..", ""},
      {"http://host/../..", ""},
      {"http:model.mqo", ""},
      {"", ""},
      {"http://host/my%20model.mqo", "my model.mqo"},
      {"http://host/%41.mqo%", "A.mqo%"},
      {"http://host/.bashrc", ""},
      {"http://host/%2Ebashrc", ""},
      {"http://host/%2E%2E", ""},
      {"http://host/a%2F..%2F..%2Fb.mqo", ""},
      {"http://host/a%5Cb.mqo", ""},
      {"http://host/a%00.mqo", ""},
      {"http://host/a%0A.mqo", ""},
      {"http://host/%95%5C.mqo", "\x95\x5C.mqo"},
  };
  for (const auto& [url, name] : cases) EXPECT_EQ(Lumacet::DownloadFileName(url), name) << url;
  EXPECT_EQ(Lumacet::DownloadFileName(nullptr), "");
  // A path keeps "%00" as written: it cannot hold a NUL.
  const std::tuple<const char*, std::string, std::string> decoded[] = {
      {"/a%20b%2f%2F", "/a b//", "/a b//"},
      {"%4g%4", "%4g%4", "%4g%4"},
      {"a%00b%000", std::string("a\0b\0" "0", 5), "a%00b%000"},
      {"%9f%5C", "\x9F\\", "\x9F\\"},
  };
  for (const auto& [text, name, path] : decoded) {
    EXPECT_EQ(Lumacet::DecodePercent(text, false), name) << text;
    EXPECT_EQ(Lumacet::DecodePercent(text, true), path) << text;
  }
}

TEST_F(Downloads, AModelAndItsTextureArriveWholeAndAreImported) {
  const std::string texture = FrxTest::ReadWhole(std::string(SAVORA_TESTDATA_DIR) + "/mqo/materials/skin.bmp");
  ASSERT_FALSE(texture.empty());
  server.Serve("/files/tex.bmp", {200, texture, -1, ""});
  server.Serve("/files/model.mqo", {200, Model, -1, ""});
  loop.Import(server.Url("/files/tex.bmp").c_str());
  loop.Import(server.Url("/files/model.mqo?v=2#top").c_str());
  EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/files/tex.bmp", "/files/model.mqo?v=2"}));
  EXPECT_EQ(FrxTest::ReadWhole("tex.bmp"), texture);
  EXPECT_EQ(FrxTest::ReadWhole("model.mqo"), Model);
  EXPECT_EQ(folder.Count(), 2u) << "no temporary is left";
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});

  VoIPolygon* quad = nullptr;
  VoITexture* image = nullptr;
  VoMaster::ItemList items;
  loop.Character()->GetAllList(items, 1);
  for (VoIItem* item : items) {
    if (item->IsPolygon() && std::string(item->GetName()) == "quad") quad = item->IsPolygon();
    if (item->IsTexture() && item->IsTexture()->width > 0) image = item->IsTexture();
  }
  ASSERT_NE(quad, nullptr) << "needs plugins/pelarn.so";
  EXPECT_EQ(quad->GetNumFace(), 1ul);
  EXPECT_NE(image, nullptr) << "the model found its downloaded texture";
}

TEST_F(Downloads, FailuresReportAndImportNothing) {
  const std::string notFound = "\"\n\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42";
  server.Serve("/cut.mqo", {200, Model.substr(0, 60), static_cast<long>(Model.size()), ""});
  server.Serve("/jump.mqo", {302, "", -1, "file:///etc/hostname"});
  // A good file of the name stays as it was when its download fails.
  folder.Put("cut.mqo", Model);
  struct Case {
    std::string url;
    std::string message;  // after the quoted URL
    std::string file;
  };
  const std::string closed = "http://127.0.0.1:" + std::to_string(LoopbackServer::ClosedPort()) + "/model.mqo";
  const Case cases[] = {
      {server.Url("/missing.mqo"), "\"\nが見つかりませんでした。", "missing.mqo"},
      {closed, "\"\nが見つかりませんでした。", "model.mqo"},
      {server.Url("/cut.mqo"), "\"\nダウンロード中にエラーが発生しました。", "cut.mqo"},
      {server.Url("/jump.mqo"), "\"\nが見つかりませんでした。", "jump.mqo"},
      {server.Url("/"), "\"\nはダウンロードできません。", ""},
      {server.Url("/.."), "\"\nはダウンロードできません。", ""},
  };
  EXPECT_EQ(cases[0].message, notFound) << "the messages are Shift-JIS";
  for (const Case& c : cases) {
    boxes.Clear();
    loop.Import(c.url.c_str());
    ASSERT_EQ(boxes.Count(), 1) << c.url;
    EXPECT_EQ(boxes.Texts()[0], "\"" + c.url + c.message) << c.url;
    EXPECT_EQ(folder.Count(), 1u) << c.url << ": only the earlier cut.mqo";
    if (c.file != "cut.mqo" && !c.file.empty()) {
      EXPECT_FALSE(folder.Exists(c.file)) << c.url;
    }
    EXPECT_EQ(loop.Character()->GetFirstChild(), nullptr) << c.url << " imported something";
  }
  EXPECT_EQ(folder.Get("cut.mqo"), Model);
  for (const std::string& r : server.Requests()) EXPECT_TRUE(r != "/" && r != "/..") << "refused before asking";
}

TEST_F(Downloads, NamesNoImporterReadsAndFilesNotToReplaceAreRefusedBeforeAsking) {
  folder.Put(".bashrc", "mine");
  folder.Put("notes.txt", "mine");
  folder.Put("kept.mqo", "mine");
  folder.Put("elsewhere/target.mqo", "mine");
  ASSERT_EQ(chmod("notes.txt", 0444), 0);
  ASSERT_EQ(chmod("kept.mqo", 0444), 0);
  ASSERT_EQ(symlink("elsewhere/target.mqo", "link.mqo"), 0);
  ASSERT_EQ(mkdir("dir.mqo", 0755), 0);
  ASSERT_EQ(mkfifo("pipe.mqo", 0644), 0);
  const size_t entries = folder.Count();
  const char* const paths[] = {"/.bashrc", "/notes.txt", "/kept.mqo", "/link.mqo", "/dir.mqo",
                               "/pipe.mqo", "/%2Ebashrc", "/a%2F..%2Fnotes.mqo", "/readme", "/x.mqo%00.bmp"};
  for (const char* path : paths) server.Serve(path, {200, "theirs", -1, ""});
  for (const char* path : paths) {
    boxes.Clear();
    loop.Import(server.Url(path).c_str());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"\"" + server.Url(path) + "\"\nはダウンロードできません。"}) << path;
  }
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(folder.Count(), entries);
  for (const char* name : {".bashrc", "notes.txt", "kept.mqo", "elsewhere/target.mqo"}) EXPECT_EQ(folder.Get(name), "mine") << name;
  EXPECT_EQ(loop.Character()->GetFirstChild(), nullptr);
}

TEST_F(Downloads, ATrickleMeetsTheDeadlineABigBodyTheCapAndTheControlGoesOn) {
  struct LimitsScope {
    Lumacet::DownloadLimits saved = Lumacet::Limits();
    ~LimitsScope() { Lumacet::Limits() = saved; }
  } scope;
  Lumacet::Limits() = {300, 4000};
  const std::string trickle(2000, '0');
  server.Serve("/trickle.mqo", {200, trickle, -1, "", 25});
  server.Serve("/big.mqo", {200, std::string(4001, '0'), -1, ""});
  server.Serve("/model.mqo", {200, Model, -1, ""});
  for (const char* path : {"/trickle.mqo", "/big.mqo"}) {
    boxes.Clear();
    loop.Import(server.Url(path).c_str());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"\"" + server.Url(path) + "\"\nダウンロード中にエラーが発生しました。"})
        << path;
    EXPECT_EQ(folder.Count(), 0u) << path;
  }
  // Bounded by what was sent: the whole trickle would take the client 25 s.
  EXPECT_LT(server.Trickled(), trickle.size());
  EXPECT_EQ(loop.Character()->GetFirstChild(), nullptr);
  loop.Import(server.Url("/model.mqo").c_str());
  EXPECT_EQ(folder.Get("model.mqo"), Model);
  EXPECT_NE(loop.Character()->GetFirstChild(), nullptr) << "needs plugins/pelarn.so";
}


// Each control's downloads hold at most a total, counting each name once at
// its latest size: an announced body over what is left is refused once its
// headers come, an unannounced one as soon as it passes, and either leaves
// the folder as it was; another control has a total of its own.
TEST_F(Downloads, EachControlsDownloadsStayWithinItsOwnTotal) {
  FrxTest::ValueScope<Lumacet::DownloadLimits> limits{Lumacet::Limits(), {60000, 4000, 1000}};
  FrxTest::LogCapture log;
  const auto body = [](size_t size) { return Model + std::string(size - Model.size(), '\n'); };
  server.Serve("/v1/a.mqo", {200, body(600), -1, ""});
  server.Serve("/v2/a.mqo", {200, body(900), -1, ""});
  server.Serve("/v3/a.mqo", {200, body(1001), -1, ""});
  server.Serve("/announced.mqo", {200, body(500), -1, "", 5});
  server.Serve("/chunked.mqo", {200, body(500), -1, "", 2, true});
  server.Serve("/c.mqo", {200, body(400), -1, ""});
  server.Serve("/d.mqo", {200, body(1000), -1, "", 0, true});
  server.Serve("/e.mqo", {200, Model, -1, "", 0, true});
  PlayerLoop other{nullptr};
  struct Step {
    PlayerLoop* control;
    const char* path;
    bool refused;
    std::pair<size_t, size_t> trickled;  // at least, at most: body bytes sent of a trickled reply
    std::vector<std::pair<std::string, size_t>> files;
  };
  const Step steps[] = {
      {&loop, "/v1/a.mqo", false, {}, {{"a.mqo", 600}}},
      {&loop, "/v1/a.mqo", false, {}, {{"a.mqo", 600}}},
      {&loop, "/announced.mqo", true, {0, 100}, {{"a.mqo", 600}}},
      {&loop, "/chunked.mqo", true, {400, 600}, {{"a.mqo", 600}}},
      {&loop, "/v3/a.mqo", true, {}, {{"a.mqo", 600}}},
      {&loop, "/v2/a.mqo", false, {}, {{"a.mqo", 900}}},
      {&loop, "/c.mqo", true, {}, {{"a.mqo", 900}}},
      {&other, "/c.mqo", false, {}, {{"a.mqo", 900}, {"c.mqo", 400}}},
      {&loop, "/v1/a.mqo", false, {}, {{"a.mqo", 600}, {"c.mqo", 400}}},
      {&other, "/d.mqo", true, {}, {{"a.mqo", 600}, {"c.mqo", 400}}},
      {&other, "/v1/a.mqo", false, {}, {{"a.mqo", 600}, {"c.mqo", 400}}},
      {&other, "/e.mqo", true, {}, {{"a.mqo", 600}, {"c.mqo", 400}}},
      {&loop, "/e.mqo", false, {}, {{"a.mqo", 600}, {"c.mqo", 400}, {"e.mqo", Model.size()}}},
  };
  int refusals = 0;
  for (const Step& step : steps) {
    const std::string url = server.Url(step.path);
    const size_t trickled = server.Trickled();
    boxes.Clear();
    step.control->Import(url.c_str());
    SCOPED_TRACE(url);
    EXPECT_EQ(boxes.Texts(), step.refused ? std::vector<std::string>{"\"" + url + "\"\nはダウンロードできません。"}
                                          : std::vector<std::string>{});
    refusals += step.refused;
    EXPECT_EQ(log.Count("のダウンロードの合計が上限を超えます。\n"), refusals);
    if (step.trickled.second) {
      EXPECT_GE(server.Trickled() - trickled, step.trickled.first);
      EXPECT_LE(server.Trickled() - trickled, step.trickled.second);
    }
    EXPECT_EQ(folder.Count(), step.files.size()) << "no temporary is left";
    for (const auto& [name, size] : step.files) EXPECT_EQ(folder.Get(name).size(), size) << name;
  }
}

// A page once brought the player down with a chain of 35,000 bones: in a
// child of its own, the download is refused with a message, the control
// imports the next model and goes away cleanly.
TEST_F(Downloads, AChainTooDeepForTheEngineIsRefusedAndTheControlGoesOn) {
  server.Serve("/chain.mqo", {200, plugtest::BoneChainMqo(35000), -1, ""});
  server.Serve("/model.mqo", {200, Model, -1, ""});
  FrxTest::ExpectCleanInChild(
      [&]() -> std::string {
        auto player = std::make_unique<PlayerLoop>(nullptr);
        player->Import(server.Url("/chain.mqo").c_str());
        if (!folder.Exists("chain.mqo")) return "the chain did not come down\n";
        if (boxes.Count() == 0) return "the refusal showed no message\n";
        if (player->Character()->GetFirstChild()) return "the refused chain left items\n";
        player->Import(server.Url("/model.mqo").c_str());
        if (!player->Character()->GetFirstChild()) return "the next model was not imported\n";
        player.reset();
        return "";
      },
      8 << 20);
}

}  // namespace
