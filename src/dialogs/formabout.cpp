#include "dialogs/formabout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/fountainfill.h"
#include "vestaversion.h"

TFormeditorAbout::TFormeditorAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormeditorAbout"));
  setWindowTitle(QStringLiteral("About"));
  setModal(true);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("ProgramIcon"));
  icon->setPixmap(ProgramPicture(64, devicePixelRatioF()));
  auto* product = new QLabel(QStringLiteral("Product Name : Vesta"), this);
  product->setObjectName(QStringLiteral("ProductName"));
  auto* version = new QLabel(QStringLiteral("Version : ") + QLatin1String(kVestaVersion), this);
  version->setObjectName(QStringLiteral("Version"));
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("BtnClose"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addStretch();
  texts->addWidget(product);
  texts->addWidget(version);
  texts->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(16);
  top->addLayout(texts);
  top->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPixmap TFormeditorAbout::ProgramPicture(int size, qreal pixelRatio) {
  const qreal ratio = std::max<qreal>(pixelRatio, 1.0);
  QPixmap pixmap(QSize(size, size) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath round;
  round.addEllipse(QRectF(1, 1, size - 2, size - 2));
  p.setClipPath(round);
  TFountainFill fill;
  fill.SetStyle(TFountainStyle::fsCircular);
  fill.SetFromColor(QColor(0x10, 0x10, 0x40));
  fill.SetToColor(Qt::red);
  fill.SetSteps(32);
  fill.Paint(p, QRect(0, 0, size, size));
  p.setClipping(false);
  QPainterPath v;
  v.moveTo(size * 0.25, size * 0.28);
  v.lineTo(size * 0.5, size * 0.76);
  v.lineTo(size * 0.75, size * 0.28);
  p.setPen(QPen(Qt::white, size / 9.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(v);
  p.end();
  return pixmap;
}
