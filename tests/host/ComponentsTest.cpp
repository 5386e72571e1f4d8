#include "host/classes/Components.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the probes saw: "~X" for a destructor, "X: +Y" / "X: -Y" for Notification, with a
// "!" after Y when Y was already marked as destroying.
using TLog = std::vector<std::string>;

class TProbe : public TComponent {
public:
  TProbe(TComponent* AOwner, const std::string& AName, TLog& ALog) : TComponent(AOwner), Log(ALog) {
    SetName(AName);
  }
  ~TProbe() override { Log.push_back("~" + GetName()); }
  using TComponent::Destroying;

protected:
  // Deliberately not the inherited Notification: a destroyed component's own unlinking must
  // keep every list consistent even when a peer's override forgets to call it.
  void Notification(TComponent* AComponent, TOperation Operation) override {
    Log.push_back(GetName() + (Operation == TOperation::opInsert ? ": +" : ": -") +
                  AComponent->GetName() + (AComponent->IsDestroying() ? "!" : ""));
  }

private:
  TLog& Log;
};

class TComponentTest : public ::testing::Test {
protected:
  TProbe* Make(TComponent* AOwner, const std::string& AName) {
    return new TProbe(AOwner, AName, Log);
  }
  TLog Log;
};

TEST_F(TComponentTest, OwnerDestroysOwnedComponentsLastToFirst) {
  TProbe* Owner = Make(nullptr, "Owner");
  TProbe* A = Make(Owner, "A");
  Make(A, "A1");
  Make(Owner, "B");
  Make(Owner, "C");
  // Names are set after the owner hears of the insertion, so the log shows none.
  EXPECT_EQ(Log, (TLog{"Owner: +", "A: +", "Owner: +", "Owner: +"}));
  Log.clear();
  delete Owner;
  // An owner's own part is gone before its components go, so it records no removals.
  EXPECT_EQ(Log, (TLog{"~Owner", "~C", "~B", "~A", "~A1"}));
}

TEST_F(TComponentTest, ComponentDestroyedFirstLeavesItsOwnersList) {
  TProbe* Owner = Make(nullptr, "Owner");
  TProbe* A = Make(Owner, "A");
  TProbe* B = Make(Owner, "B");
  TProbe* C = Make(Owner, "C");
  Log.clear();
  delete B;
  EXPECT_EQ(Log, (TLog{"~B", "Owner: -B!"}));
  ASSERT_EQ(Owner->GetComponentCount(), 2);
  EXPECT_EQ(Owner->GetComponents(0), A);
  EXPECT_EQ(Owner->GetComponents(1), C);
  EXPECT_EQ(C->GetOwner(), Owner);
  Log.clear();
  delete Owner; // would destroy B a second time if it were still listed
  EXPECT_EQ(Log, (TLog{"~Owner", "~C", "~A"}));
}

TEST_F(TComponentTest, DestroyedPeerNotifiesItsWatcher) {
  TProbe* Watcher = Make(nullptr, "W");
  TProbe* Peer = Make(nullptr, "P");
  Watcher->FreeNotification(Peer);
  Watcher->FreeNotification(Peer); // a duplicate must not notify twice
  Watcher->FreeNotification(Watcher);
  Watcher->FreeNotification(nullptr);
  delete Peer;
  EXPECT_EQ(Log, (TLog{"~P", "W: -P!"}));
  Log.clear();
  delete Watcher;
  EXPECT_EQ(Log, TLog{"~W"});
}

TEST_F(TComponentTest, WatcherDestroyedFirstLeavesNoRegistration) {
  TProbe* Watcher = Make(nullptr, "W");
  TProbe* Peer = Make(nullptr, "P");
  Watcher->FreeNotification(Peer);
  delete Watcher;
  EXPECT_EQ(Log, (TLog{"~W", "P: -W!"}));
  Log.clear();
  delete Peer; // must not call into the freed watcher
  EXPECT_EQ(Log, TLog{"~P"});
}

TEST_F(TComponentTest, RemoveFreeNotificationUnregistersBothWays) {
  TProbe* Watcher = Make(nullptr, "W");
  TProbe* Peer = Make(nullptr, "P");
  TProbe* Other = Make(nullptr, "O");
  Watcher->FreeNotification(Peer);
  Other->FreeNotification(Peer);
  Watcher->RemoveFreeNotification(Peer);
  delete Peer;
  EXPECT_EQ(Log, (TLog{"~P", "O: -P!"}));
  Log.clear();
  delete Watcher;
  delete Other;
  EXPECT_EQ(Log, (TLog{"~W", "~O"}));
}

TEST_F(TComponentTest, PeersOwnedByOneOwnerGoTogether) {
  TProbe* Owner = Make(nullptr, "Owner");
  TProbe* A = Make(Owner, "A");
  TProbe* B = Make(Owner, "B");
  A->FreeNotification(B);
  Log.clear();
  delete Owner;
  EXPECT_EQ(Log, (TLog{"~Owner", "~B", "A: -B!", "~A"}));
}

TEST_F(TComponentTest, StateFlags) {
  TProbe* Owner = Make(nullptr, "Owner");
  TProbe* A = Make(Owner, "A");
  TProbe* A1 = Make(A, "A1");
  Owner->BeginLoading();
  EXPECT_TRUE(Owner->IsLoading());
  EXPECT_TRUE(A->IsLoading());
  A->Loaded();
  EXPECT_FALSE(A->IsLoading());
  EXPECT_TRUE(Owner->IsLoading());
  Owner->Loaded();
  EXPECT_FALSE(Owner->IsLoading());

  Owner->SetDesigning(true);
  EXPECT_TRUE(A1->IsDesigning());
  TProbe* Late = Make(A, "Late");
  EXPECT_TRUE(Late->IsDesigning());
  A->SetDesigning(false);
  EXPECT_TRUE(Owner->IsDesigning());
  EXPECT_FALSE(A1->IsDesigning());
  EXPECT_FALSE(Late->IsDesigning());

  EXPECT_FALSE(Owner->IsDestroying());
  Owner->Destroying();
  EXPECT_TRUE(Owner->IsDestroying());
  EXPECT_FALSE(A->IsDestroying());
  delete Owner;
}

TEST_F(TComponentTest, FindComponentAndIndexing) {
  TProbe* Owner = Make(nullptr, "Owner");
  TProbe* Grid = Make(Owner, "Grid1");
  Make(Grid, "Inner");
  Make(Owner, "");
  EXPECT_EQ(Owner->FindComponent("gRID1"), Grid);
  EXPECT_EQ(Owner->FindComponent("Grid"), nullptr);
  EXPECT_EQ(Owner->FindComponent("Inner"), nullptr); // only the components it owns
  EXPECT_EQ(Owner->FindComponent(""), nullptr);
  for (int Bad : {-1, 2}) {
    try {
      Owner->GetComponents(Bad);
      ADD_FAILURE() << "no error for " << Bad;
    } catch (const EListError& E) {
      EXPECT_EQ(E.GetMessage(), FormatIndex("List index out of bounds (%d)", Bad));
    }
  }
  delete Owner;
}

// Assignment: a class that knows how to copy itself into its own kind.
class TValue : public TPersistent {
public:
  const char* ClassName() const override { return "TValue"; }
  int Value = 0;

protected:
  void AssignTo(TPersistent* Dest) const override {
    if (auto* Target = dynamic_cast<TValue*>(Dest))
      Target->Value = Value;
    else
      TPersistent::AssignTo(Dest);
  }
};

TEST(TPersistentTest, AssignCopiesOrNamesBothClasses) {
  TValue Source, Dest;
  Source.Value = 42;
  Dest.Assign(&Source);
  EXPECT_EQ(Dest.Value, 42);

  TPersistent Plain;
  auto MessageOf = [](auto&& F) -> std::string {
    try {
      F();
    } catch (const Exception& E) {
      return E.GetMessage();
    }
    return "no exception";
  };
  EXPECT_EQ(MessageOf([&] { Dest.Assign(&Plain); }), "Cannot assign a TPersistent to a TValue");
  EXPECT_EQ(MessageOf([&] { Plain.Assign(&Source); }), "Cannot assign a TValue to a TPersistent");
  EXPECT_EQ(MessageOf([&] { Dest.Assign(nullptr); }), "Cannot assign a nil to a TValue");
}

} // namespace
