// The clipboard on Qt's: both formats go into one QMimeData, which the clipboard takes over.
#include "host/gui/Clipbrd.h"

#include "host/gui/Window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace {
QClipboard* SystemClipboard() {
  EnsureWidgetApplication();
  return QGuiApplication::clipboard();
}

const QMimeData* Held() {
  return SystemClipboard()->mimeData();
}
} // namespace

void TClipboard::SetTextAndHtml(const std::string& Text, const std::string& Html) {
  auto Data = std::make_unique<QMimeData>();
  Data->setText(QString::fromStdString(Text));
  Data->setHtml(QString::fromStdString(Html));
  SystemClipboard()->setMimeData(Data.release()); // the clipboard owns it now
}

void TClipboard::SetAsText(const std::string& Text) {
  SystemClipboard()->setText(QString::fromStdString(Text));
}

std::string TClipboard::GetAsText() const {
  const QMimeData* Data = Held();
  return Data && Data->hasText() ? Data->text().toStdString() : std::string();
}

std::string TClipboard::GetAsHtml() const {
  const QMimeData* Data = Held();
  return Data && Data->hasHtml() ? Data->html().toStdString() : std::string();
}

bool TClipboard::HasHtml() const {
  const QMimeData* Data = Held();
  return Data && Data->hasHtml();
}

TClipboard* Clipboard() {
  static TClipboard Instance;
  return &Instance;
}
