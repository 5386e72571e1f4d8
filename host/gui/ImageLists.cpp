// Image lists and the change links through which their users hear of changes.
#include "host/gui/Backend.h"

#include <algorithm>

// ---------------------------------------------------------------- TChangeLink

TChangeLink::~TChangeLink() {
  if (Sender) Sender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(Sender);
}

// ---------------------------------------------------------------- TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

// Links outlive the list: they forget it here, so none is left pointing at it.
TCustomImageList::~TCustomImageList() {
  for (TChangeLink* Link : Links)
    Link->Sender = nullptr;
}

// A new size empties the list, since its images no longer fit.
void TCustomImageList::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(1, AWidth);
  AHeight = std::max(1, AHeight);
  if (AWidth == Width && AHeight == Height) return;
  Width = AWidth;
  Height = AHeight;
  Images.clear();
  Changed();
}

// The copy is a colour bitmap of the list's size: Image's top-left part, padded with white where
// Image is smaller. The list keeps pixels only, so the copy's transparent colour is the default.
int TCustomImageList::Add(const TBitmap* Image) {
  if (!Image) return -1;
  auto Copy = std::make_unique<TBitmap>();
  Copy->Assign(Image);
  Copy->SetTransparentColor(clDefault);
  Copy->SetMonochrome(false);
  Copy->SetSize(Width, Height);
  Images.push_back(std::move(Copy));
  Changed();
  return GetCount() - 1;
}

void TCustomImageList::Clear() {
  Images.clear();
  Changed();
}

// Image becomes a colour bitmap of the list's size with the image's pixels, and takes its
// transparent colour from them (the default, bottom-left pixel).
bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) const {
  if (!Image || Index < 0 || Index >= GetCount()) return false;
  Image->Assign(Images[static_cast<std::size_t>(Index)].get());
  return true;
}

// A link belongs to one list at a time.
void TCustomImageList::RegisterChanges(TChangeLink* Link) {
  if (!Link) return;
  if (Link->Sender && Link->Sender != this) Link->Sender->UnRegisterChanges(Link);
  Link->Sender = this;
  if (std::find(Links.begin(), Links.end(), Link) == Links.end()) Links.push_back(Link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Link) {
  std::erase(Links, Link);
  if (Link && Link->Sender == this) Link->Sender = nullptr;
}

// A handler may unregister (or destroy) links, its own included: each link is told only while
// it is still registered.
void TCustomImageList::Changed() {
  const std::vector<TChangeLink*> Snapshot = Links;
  for (TChangeLink* Link : Snapshot)
    if (std::find(Links.begin(), Links.end(), Link) != Links.end()) Link->Change();
}
