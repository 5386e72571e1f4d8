// Image lists and the change links through which their users hear of changes.
#include "host/gui/Backend.h"

#include "host/classes/Filer.h"

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

// ---------------------------------------------------------------- storing

void TCustomImageList::DefineProperties(TFiler& Filer) {
  TComponent::DefineProperties(Filer);
  Filer.DefineBinaryProperty(
      "Bitmap", [this](TStream& Stream) { ReadStrip(Stream); },
      [this](TStream& Stream) { WriteStrip(Stream); }, GetCount() > 0);
}

void TCustomImageList::WriteStrip(TStream& Stream) {
  TBitmap Strip;
  Strip.SetSize(Width * GetCount(), Height);
  for (int I = 0; I < GetCount(); ++I)
    Strip.GetCanvas()->Draw(I * Width, 0, Images[static_cast<size_t>(I)].get());
  const std::string Png = Strip.SaveToPngBytes();
  Stream.WriteBuffer(Png.data(), static_cast<int>(Png.size()));
}

// A strip whose width is not a whole number of images drops the partial image at its end.
void TCustomImageList::ReadStrip(TStream& Stream) {
  std::string Png(static_cast<size_t>(Stream.GetSize()), '\0');
  Stream.ReadBuffer(Png.data(), static_cast<int>(Png.size()));
  TBitmap Strip;
  if (!Strip.LoadFromPngBytes(Png)) throw EReadError("Invalid image list bitmap");
  if (Strip.GetHeight() != Height) throw EReadError("Image list bitmap has the wrong height");
  Images.clear();
  for (int I = 0; I + 1 <= Strip.GetWidth() / Width; ++I) {
    auto Image = std::make_unique<TBitmap>();
    Image->SetSize(Width, Height);
    Image->GetCanvas()->Draw(-I * Width, 0, &Strip);
    Images.push_back(std::move(Image));
  }
  Changed();
}
