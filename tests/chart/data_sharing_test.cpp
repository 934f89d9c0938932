#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/gchart.h"

namespace {

class TMessageRecorder : public TChartHost {
 public:
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  std::vector<std::string> Messages;
};

struct DataSharing : testing::Test {
  DataSharing() {
    for (TGChart* chart : {&master, &user, &other}) chart->SetHost(&host);
  }
  TMessageRecorder host;
  TGChart master, user, other;
};

TEST_F(DataSharing, AUserShowsTheMastersItems) {
  master.MoveTo(1, 1);
  user.SetUseDataOf(&master);
  EXPECT_EQ(user.UseDataOf(), &master);
  EXPECT_EQ(master.DataSharers()[0], &user);
  master.DrawTo(2, 2);
  master.DrawTo(3, 3);
  master.RemoveFirstItem();
  EXPECT_EQ(user.NumItems(), 2);
  EXPECT_EQ(user.Items()[0].X, 2);
  EXPECT_EQ(user.ItemCountOfKind(ikDrawTo), 2);
  user.DrawTo(4, 4);  // through the user: one store, so the counts agree
  EXPECT_EQ(master.NumItems(), 3);
  EXPECT_EQ(master.ItemCountOfKind(ikDrawTo), 3);
  user.ClearGraph();
  EXPECT_EQ(master.Capacity(), 0);
  EXPECT_TRUE(host.Messages.empty());
}

TEST_F(DataSharing, Refusals) {
  user.SetUseDataOf(&user);
  user.SetUseDataOf(&master);
  master.SetUseDataOf(&other);
  EXPECT_EQ(master.UseDataOf(), nullptr);
  std::vector<std::unique_ptr<TGChart>> more;
  for (int i = 0; i < 4; ++i) {
    more.push_back(std::make_unique<TGChart>());
    more.back()->SetHost(&host);
    more.back()->SetUseDataOf(&master);
  }
  EXPECT_EQ(more[3]->UseDataOf(), nullptr);
  ASSERT_EQ(host.Messages.size(), 3u);
  EXPECT_EQ(host.Messages[0], "GChart: Cannot share data with myself");
  EXPECT_EQ(host.Messages[1], "GChart: Cannot use foreign data. Other GCharts are using my own data.");
  EXPECT_EQ(host.Messages[2], "GChart: Max. number of data shares exceeded");
  user.SetUseDataOf(&master);  // already so: nothing happens
  EXPECT_EQ(host.Messages.size(), 3u);
  EXPECT_EQ(master.DataSharers().size(), 4u);
}

TEST_F(DataSharing, SharingIsNeverChained) {
  user.SetUseDataOf(&master);
  other.SetUseDataOf(&user);
  EXPECT_EQ(other.UseDataOf(), &master);
  EXPECT_EQ(master.DataSharers().size(), 2u);
  other.SetUseDataOf(&master);
  EXPECT_EQ(master.DataSharers().size(), 2u);
}

TEST_F(DataSharing, NamingASiblingCountsAsJoiningTheMasterAgain) {
  user.SetUseDataOf(&master);
  other.SetUseDataOf(&master);
  user.SetUseDataOf(&other);  // other hands on master: user joins again, at the end
  ASSERT_EQ(master.DataSharers().size(), 2u);
  EXPECT_EQ(master.DataSharers()[1], &user);
  std::vector<std::unique_ptr<TGChart>> more;
  for (int i = 0; i < 2; ++i) {
    more.push_back(std::make_unique<TGChart>());
    more.back()->SetUseDataOf(&master);
  }
  user.SetUseDataOf(&other);  // the master's list is full, user in it or not
  EXPECT_EQ(host.Messages, std::vector<std::string>{"GChart: Max. number of data shares exceeded"});
  EXPECT_EQ(user.UseDataOf(), &master);
  EXPECT_EQ(master.DataSharers().size(), 4u);
}

TEST_F(DataSharing, EndingTheSharingKeepsACopy) {
  user.SetPaintSuspended(false);
  master.MoveTo(1, 1);
  user.SetUseDataOf(&master);
  user.SetUseDataOf(nullptr);
  EXPECT_EQ(user.PaintCount(), 3);  // unsuspending, then each change with AutoRedraw
  EXPECT_TRUE(master.DataSharers().empty());
  master.DrawTo(2, 2);
  user.DrawTo(5, 5);
  EXPECT_EQ(user.NumItems(), 2);
  EXPECT_EQ(master.Items()[1].X, 2);
  {
    TGChart shortLived;
    shortLived.SetUseDataOf(&master);
  }
  EXPECT_TRUE(master.DataSharers().empty());
  auto temporary = std::make_unique<TGChart>();
  user.SetUseDataOf(temporary.get());
  temporary.reset();
  EXPECT_EQ(user.UseDataOf(), nullptr);
}

}  // namespace
