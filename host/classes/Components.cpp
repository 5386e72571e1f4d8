#include "host/classes/Components.h"

#include "host/classes/Lists.h"

#include <algorithm>

namespace {
const char* NameOf(const TObject* Object) {
  return Object ? Object->ClassName() : "nil";
}

bool SameText(const std::string& A, const std::string& B) {
  auto Lower = [](char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; };
  return std::ranges::equal(A, B, [&](char X, char Y) { return Lower(X) == Lower(Y); });
}
} // namespace

// TPersistent

void TPersistent::Assign(const TPersistent* Source) {
  if (!Source) throw Exception(std::string("Cannot assign a nil to a ") + ClassName());
  Source->AssignTo(this);
}

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::AssignTo(TPersistent* Dest) const {
  throw Exception(std::string("Cannot assign a ") + ClassName() + " to a " + NameOf(Dest));
}

// TComponent

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Unlink each peer before telling it, so that whatever its Notification does (even
  // destroying other peers) never finds this component in a list.
  while (!FreeNotifies.empty()) {
    TComponent* Peer = FreeNotifies.back();
    FreeNotifies.pop_back();
    std::erase(Peer->FreeNotifies, this);
    Peer->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (Owner) Owner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& NewName) {
  Name = NewName;
}

TComponent* TComponent::GetComponents(int Index) const {
  if (Index < 0 || Index >= GetComponentCount()) ListIndexError(Index);
  return Components[static_cast<size_t>(Index)];
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* Component : Components)
    if (SameText(Component->Name, AName)) return Component;
  return nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::ranges::find(FreeNotifies, AComponent) == FreeNotifies.end())
    FreeNotifies.push_back(AComponent);
  if (std::ranges::find(AComponent->FreeNotifies, this) == AComponent->FreeNotifies.end())
    AComponent->FreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  std::erase(FreeNotifies, AComponent);
  std::erase(AComponent->FreeNotifies, this);
}

void TComponent::BeginLoading() {
  ComponentState.Include(TComponentStateItem::csLoading);
  for (TComponent* Component : Components)
    Component->ComponentState.Include(TComponentStateItem::csLoading);
}

void TComponent::Loaded() {
  ComponentState.Exclude(TComponentStateItem::csLoading);
}

void TComponent::CancelLoading() {
  ComponentState.Exclude(TComponentStateItem::csLoading);
}

void TComponent::PublishMethod(const std::string& MethodName, std::any Method) {
  Methods[MethodName] = std::move(Method);
}

const std::any* TComponent::FindMethod(const std::string& MethodName) const {
  auto Found = Methods.find(MethodName);
  return Found == Methods.end() ? nullptr : &Found->second;
}

std::string TComponent::GetEventBinding(const std::string& EventName) const {
  auto Found = EventBindings.find(EventName);
  return Found == EventBindings.end() ? std::string() : Found->second;
}

void TComponent::SetEventBinding(const std::string& EventName, const std::string& MethodName) {
  if (MethodName.empty())
    EventBindings.erase(EventName);
  else
    EventBindings[EventName] = MethodName;
}

void TComponent::GetChildren(const std::function<void(TComponent*)>&, TComponent*) {}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::SetDesigning(bool Value) {
  if (Value)
    ComponentState.Include(TComponentStateItem::csDesigning);
  else
    ComponentState.Exclude(TComponentStateItem::csDesigning);
  for (TComponent* Component : Components)
    Component->SetDesigning(Value);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent) RemoveFreeNotification(AComponent);
}

void TComponent::Destroying() {
  ComponentState.Include(TComponentStateItem::csDestroying);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  Components.push_back(AComponent);
  AComponent->Owner = this;
  // A component placed on a form being designed is being designed too.
  if (IsDesigning()) AComponent->SetDesigning(true);
  Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  Notification(AComponent, TOperation::opRemove);
  std::erase(Components, AComponent);
  AComponent->Owner = nullptr;
}

void TComponent::DestroyComponents() {
  // Each destructor takes its component out of Components (RemoveComponent), so the
  // list shrinks as we go; never hold an iterator across a delete.
  while (!Components.empty())
    delete Components.back();
}
