// Pictures of forms, for machines without a display.
#include "host/gui/Forms.h"
#include "host/gui/Window.h"

#include <QImage>

bool SaveFormImage(TForm& Form, const std::string& FileName) {
  TWindowHandle* Window = Form.GetHandle();
  // At the screen's device pixel ratio, so that a high-density picture keeps every pixel.
  const qreal Ratio = Window->devicePixelRatioF();
  QImage Image(Window->size() * Ratio, QImage::Format_RGB32);
  Image.setDevicePixelRatio(Ratio);
  Image.fill(Qt::black);
  Window->render(&Image, QPoint(), QRegion(), QWidget::DrawChildren);
  return Image.save(QString::fromStdString(FileName), "PNG");
}
