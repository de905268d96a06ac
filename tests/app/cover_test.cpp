// The cover of the loaded tag beside the ID3v2 fields.
#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QLabel>

#include "support/id3v2_fixtures.h"
#include "window_test.h"

using namespace velmora::test;

void WindowTest::coverFollowsTheLoadedFileAndThePage() {
  QImage image(40, 30, QImage::Format_RGB32); // a small cover, wider than high
  image.fill(QColor(120, 20, 30));
  QByteArray png;
  QBuffer buffer(&png);
  image.save(&buffer, "PNG");
  const std::string apic = "\0image/png\0\x03\0"s + png.toStdString();
  Write("Mit Bild - Titel.mp3",
        Tag(3, 0, F23("TIT2", "\0Titel"s) + F23("APIC", apic)) + MpegFile());
  QVERIFY(Open({"Ohne Bild - Titel.mp3"}));
  QLabel* cover = window->widgets().coverLabel;
  QVERIFY(!cover->isVisible());

  ClickEntry(window->widgets().fileList, QStringLiteral("Mit Bild - Titel.mp3"));
  QVERIFY(cover->isVisible());
  QCOMPARE(cover->pixmap().size(), QSize(96, 72)); // scaled to the thumbnail, aspect kept
  QCOMPARE(cover->toolTip(), QStringLiteral("Vorderseite, image/png, %1 Bytes").arg(png.size()));
  // Makes the picture of the window with a cover for the user guide.
  const QString shot = qEnvironmentVariable("VELMORA_COVER_SCREENSHOT");
  if (!shot.isEmpty()) QVERIFY(window->grab().save(shot));
  // Only the ID3v2 page shows it.
  window->widgets().tagTabs->setCurrentIndex(1);
  QVERIFY(!cover->isVisible());
  window->widgets().tagTabs->setCurrentIndex(0);
  QVERIFY(cover->isVisible());

  ClickEntry(window->widgets().fileList, QStringLiteral("Ohne Bild - Titel.mp3"));
  QVERIFY(!cover->isVisible());
  QVERIFY(cover->toolTip().isEmpty());
}
