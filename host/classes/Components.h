// Persistent objects and components: the base classes of everything stored with a form.
#pragma once

#include "Exceptions.h"
#include "Sets.h"

#include <any>
#include <functional>
#include <map>
#include <string>
#include <vector>

class TFiler;

// An object that can copy itself from another and add its own data to a stream.
class TPersistent : public TObject {
public:
  const char* ClassName() const override { return "TPersistent"; }
  // Copies Source into this object; the default asks Source to assign itself to this.
  virtual void Assign(const TPersistent* Source);
  // Defines the properties that are streamed by this object itself (lists and the like).
  virtual void DefineProperties(TFiler& Filer);

protected:
  // Copies this object into Dest; raises EConvertError-like Exception when impossible.
  virtual void AssignTo(TPersistent* Dest) const;
};

enum class TComponentStateItem : unsigned char {
  csLoading, // being read from a stored description
  csReading,
  csWriting,
  csDestroying, // its destructor is running
  csDesigning,  // placed in a form designer
  csUpdating,
};
using TComponentState = TSet<TComponentStateItem, std::uint8_t>;

enum class TOperation : unsigned char { opInsert, opRemove };

// A named persistent object with an owner. The owner destroys the components it owns, in
// reverse order of insertion, when it is destroyed itself.
class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  const char* ClassName() const override { return "TComponent"; }

  TComponent* GetOwner() const { return Owner; }
  const std::string& GetName() const { return Name; }
  virtual void SetName(const std::string& NewName);
  TComponentState GetComponentState() const { return ComponentState; }
  bool IsLoading() const { return ComponentState.Contains(TComponentStateItem::csLoading); }
  bool IsDesigning() const { return ComponentState.Contains(TComponentStateItem::csDesigning); }
  bool IsDestroying() const { return ComponentState.Contains(TComponentStateItem::csDestroying); }

  int GetComponentCount() const { return static_cast<int>(Components.size()); }
  TComponent* GetComponents(int Index) const;
  TComponent* FindComponent(const std::string& AName) const;

  // Asks AComponent to tell this component (through Notification) when it is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Loading bracket: the reader sets csLoading on every component it reads, then calls Loaded.
  void BeginLoading();
  virtual void Loaded();
  // Leaves the loading state without Loaded, after a stored description failed to read.
  void CancelLoading();
  // Design mode for this component and the components it owns.
  void SetDesigning(bool Value);

  // --- Streaming with a form ---
  // Publishes a method under Name, so that stored event properties can bind to it. Method
  // holds the handler as the event's own function type.
  void PublishMethod(const std::string& MethodName, std::any Method);
  const std::any* FindMethod(const std::string& MethodName) const;
  // The name of the published method an event property of this component was bound to by a
  // stored description ("" when none); the writer stores it again.
  std::string GetEventBinding(const std::string& EventName) const;
  void SetEventBinding(const std::string& EventName, const std::string& MethodName);
  // The components stored inside this one when Root is written.
  virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root);
  // Tells a component read from a stream which component it was stored inside.
  virtual void SetParentComponent(TComponent* AParent);

protected:
  // Tells this component that AComponent was inserted or is being removed.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Marks this component as being destroyed; the destructor calls it first.
  void Destroying();

private:
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  TComponent* Owner = nullptr;
  std::string Name;
  TComponentState ComponentState;
  std::vector<TComponent*> Components;              // owned; destroyed by this component
  std::vector<TComponent*> FreeNotifies;            // peers to tell when this component goes
  std::map<std::string, std::any> Methods;          // published handler methods by name
  std::map<std::string, std::string> EventBindings; // event property -> method name
};
