// Writes the window's icon as the files a desktop's icon theme wants:
// DIR/NxN/apps/NAME.png for each size given, and DIR/scalable/apps/NAME.svg
// drawn by the same code. Run at build time, on the offscreen platform, so
// the installed icon is the one the window draws.
// Usage: write_icons DIR NAME SIZE...

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <cstdio>

#include "WindowIcon.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: write_icons DIR NAME SIZE...\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLocal8Bit(argv[i]).toInt();
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(dir).arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
    const QImage image = vantorel::window::WindowIconPixmap(size).toImage();
    if (size <= 0 || image.width() != size || !QDir().mkpath(folder) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "write_icons: could not write %s\n", qPrintable(file));
      return 1;
    }
  }
  const QString scalable = dir + QStringLiteral("/scalable/apps");
  const QString svg = QStringLiteral("%1/%2.svg").arg(scalable, name);
  if (!QDir().mkpath(scalable)) {
    std::fprintf(stderr, "write_icons: could not write %s\n", qPrintable(svg));
    return 1;
  }
  QSvgGenerator generator;
  generator.setFileName(svg);
  generator.setSize(QSize(48, 48));
  generator.setViewBox(QRect(0, 0, 48, 48));
  generator.setTitle(name);
  QPainter painter;
  if (!painter.begin(&generator)) {
    std::fprintf(stderr, "write_icons: could not write %s\n", qPrintable(svg));
    return 1;
  }
  vantorel::window::PaintWindowIcon(painter, 48);
  return painter.end() ? 0 : 1;
}
