// The system clipboard. Texts are UTF-8. Needs the application's windowing (an offscreen
// QApplication is made when there is none, as windows make it).
#pragma once

#include <string>

class TClipboard {
public:
  // Puts Text as plain text and Html as an HTML document on the clipboard in one go, replacing
  // what it held; a program pasting takes the richer format it understands.
  void SetTextAndHtml(const std::string& Text, const std::string& Html);
  // Puts Text alone on the clipboard.
  void SetAsText(const std::string& Text);
  // The plain text on the clipboard; empty when it holds none.
  std::string GetAsText() const;
  // The HTML on the clipboard; empty when it holds none.
  std::string GetAsHtml() const;
  // Whether the clipboard holds HTML.
  bool HasHtml() const;
};

// The process's clipboard object.
TClipboard* Clipboard();
