#include "app_icon.h"

QIcon VelmoraIcon() {
  // The resources live in a static library: name them so that the linker keeps them.
  Q_INIT_RESOURCE(velmora);
  return QIcon(QStringLiteral(":/velmora-icon.png"));
}
