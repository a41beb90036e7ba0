// ObjectSelecter: exactly one child shown and drawn, chosen by "select" byte
// for byte; no match keeps the child shown before.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "UveskFixture.h"
#include "plugins/Uvesk/ObjectSelecter.h"

namespace uvesktest {
namespace {

// Counts draws and updates by name.
struct Counting : VoIObject {
  Counting(VoIBranch* parent, std::map<std::string, int>* counts) : VoIObject(parent), counts(counts) {}
  int Redraw() override { return ++(*counts)[std::string("draw ") + GetName()]; }
  int Update(unsigned long) override { return ++(*counts)[std::string("update ") + GetName()]; }
  std::map<std::string, int>* counts;
};

using ObjectSelecterTest = UveskFixture;

TEST_F(ObjectSelecterTest, ShowsAndDrawsExactlyTheChildNamedBySelect) {
  auto* lamp = static_cast<ObjectSelecter*>(master.CreateItem("ObjectSelecter", Make<VoIObject>(nullptr, "root")));
  ASSERT_NE(lamp, nullptr);
  lamp->SetName("lamp");
  EXPECT_STREQ(lamp->GetNameEx().Get(), "lamp<ObjectSelecter>");
  std::map<std::string, int> counts;
  VoIItem* child[4];
  const char* names[4] = {"Lamp", "lamp", "on", "on"};
  for (int i = 0; i < 4; ++i) (child[i] = new Counting(lamp, &counts))->SetName(names[i]);

  const struct {
    const char* select;
    VoIItem* shown;
    int changed;
  } rows[] = {
      {"", nullptr, 0},        {"lamp", child[1], 1},  // byte for byte: not "Lamp"
      {"LAMP", child[1], 0},   // no such child: the one shown before stays
      {"Lamp", child[0], 1},   {"on", child[2], 1},    // the first of two, in child order
      {"on", child[2], 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.select);
    ASSERT_EQ(lamp->SetParam("select", r.select), 1);  // through the class registry, as a panel sets it
    EXPECT_EQ(lamp->SelectChild(), r.changed);
    EXPECT_EQ(lamp->GetShown(), r.shown);
    counts.clear();
    lamp->Redraw();
    EXPECT_EQ(counts.size(), r.shown ? 1u : 0u);
    if (r.shown) {
      EXPECT_EQ(counts[std::string("draw ") + r.shown->GetName()], 1);
    }
  }
  // An update chooses, then updates every child once.
  lamp->SetParam("select", "lamp");
  counts.clear();
  lamp->ExecUpdate();
  EXPECT_EQ(lamp->GetShown(), child[1]);
  EXPECT_EQ(counts, (std::map<std::string, int>{{"update Lamp", 1}, {"update lamp", 1}, {"update on", 2}}));
  // The shown child moved elsewhere is no longer drawn by the selecter.
  child[1]->Link(lamp->GetParent());
  counts.clear();
  lamp->Redraw();
  EXPECT_TRUE(counts.empty());
}

}  // namespace
}  // namespace uvesktest
