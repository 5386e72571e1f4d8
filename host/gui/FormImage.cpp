// Pictures of forms, for machines without a display.
#include "host/gui/Forms.h"
#include "host/gui/Window.h"

#include <QImage>

bool SaveFormImage(TForm& Form, const std::string& FileName) {
  TWindowHandle* Window = Form.GetHandle();
  QImage Image(Window->size(), QImage::Format_RGB32);
  Image.fill(Qt::black);
  Window->render(&Image, QPoint(), QRegion(), QWidget::DrawChildren);
  return Image.save(QString::fromStdString(FileName), "PNG");
}
