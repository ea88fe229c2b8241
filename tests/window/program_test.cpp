// The built program from a terminal: --help and --version answer there and
// open no window, and without a display it says so in one line.

#include <QProcess>
#include <QTest>

#include <vantorel/vantorel.h>
#include "TestSuites.h"
#include "WindowSuite.h"

namespace vantorel::window::test {

class ProgramTest : public WindowSuite {
  Q_OBJECT

 private slots:
  // `platform` empty: no display, nor a platform named in its place.
  void answersInTheTerminal_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("errors");
    const QString version = "vantorel " + QString::fromUtf8(Version().data(), Version().size());
    QTest::newRow("--help") << "--help"
                            << "" << 0 << "Usage: vantorel [--help | --version]"
                            << "";
    QTest::newRow("--version") << "--version"
                               << "" << 0 << version << "";
    QTest::newRow("--version where a window could open") << "--version"
                                                         << "offscreen" << 0 << version << "";
    QTest::newRow("no display") << ""
                                << "" << 1 << ""
                                << "vantorel: no display to open the window on (DISPLAY is not set)\n";
  }
  void answersInTheTerminal() {
#ifndef VANTOREL_WINDOW_PROGRAM
    QSKIP("the build names no program to run (VANTOREL_WINDOW_PROGRAM)");
#else
    QFETCH(QString, argument);
    QFETCH(QString, platform);
    QFETCH(int, status);
    QFETCH(QString, firstLine);
    QFETCH(QString, errors);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    if (!platform.isEmpty()) environment.insert("QT_QPA_PLATFORM", platform);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(VANTOREL_WINDOW_PROGRAM, argument.isEmpty() ? QStringList() : QStringList{argument});
    if (!program.waitForFinished(5000)) {  // a window, waiting for its user
      program.kill();
      program.waitForFinished();
      QFAIL("the program did not end by itself");
    }
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()).section('\n', 0, 0), firstLine);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), errors);
#endif
  }
};

QObject* MakeProgramTest() { return new ProgramTest; }

}  // namespace vantorel::window::test

#include "program_test.moc"
