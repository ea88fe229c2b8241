// Runs every test class of the window in turn and fails if any failed.

#include <QApplication>
#include <QTest>
#include <memory>

#include "TestSuites.h"
#include "WindowSuite.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The tests that need another locale set it themselves.
  vantorel::window::test::UseTestLocale();
  using namespace vantorel::window::test;
  // VANTOREL_WINDOW_SUITES (a list of class names, "TextFitTest,...") runs
  // only those classes.
  const QStringList only = qEnvironmentVariable("VANTOREL_WINDOW_SUITES").split(',', Qt::SkipEmptyParts);
  int failed = 0;
  for (auto make : {MakeEntryTest, MakeBadInputTest, MakeDrawingTest, MakeWindowTest, MakeMessageBoxTest,
                    MakeProgramEndTest, MakeTextFitTest, MakeResultTextTest, MakeAccessibilityTest, MakeProgramTest}) {
    std::unique_ptr<QObject> suite(make());
    const QString name = QString::fromLatin1(suite->metaObject()->className()).section("::", -1);
    if (!only.isEmpty() && !only.contains(name)) continue;
    failed += QTest::qExec(suite.get(), argc, argv);
  }
  return failed == 0 ? 0 : 1;
}
