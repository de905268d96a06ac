#include "cover_view.h"

#include <QLabel>
#include <QPixmap>

namespace {

constexpr int kThumbnailSize = 96;
constexpr const char* kHoldsCover = "holdsCover";

QString PictureTypeName(int type) {
  switch (type) {
  case 3:
    return QStringLiteral("Vorderseite");
  case 4:
    return QStringLiteral("Rückseite");
  default:
    return QStringLiteral("Bildtyp %1").arg(type);
  }
}

} // namespace

void ShowCoverThumbnail(QLabel* label, const velmora::TagPicture* picture, bool visible) {
  label->setProperty(kHoldsCover, picture != nullptr);
  label->clear();
  label->setToolTip(QString());
  label->setVisible(picture && visible);
  if (!picture) return;
  QPixmap image;
  const auto* data = reinterpret_cast<const uchar*>(picture->data.data());
  if (image.loadFromData(data, static_cast<uint>(picture->data.size())))
    label->setPixmap(image.scaled(kThumbnailSize, kThumbnailSize, Qt::KeepAspectRatio,
                                  Qt::SmoothTransformation));
  else
    label->setText(QStringLiteral("(Bild)"));
  label->setToolTip(QStringLiteral("%1, %2, %3 Bytes")
                        .arg(PictureTypeName(picture->type),
                             QString::fromLatin1(picture->mime.data(),
                                                 static_cast<qsizetype>(picture->mime.size())),
                             QString::number(picture->data.size())));
}

bool HoldsCover(const QLabel* label) {
  return label->property(kHoldsCover).toBool();
}
