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
  int failed = 0;
  for (auto make : {MakeEntryTest, MakeBadInputTest, MakeDrawingTest, MakeWindowTest, MakeMessageBoxTest, MakeProgramEndTest}) {
    std::unique_ptr<QObject> suite(make());
    failed += QTest::qExec(suite.get(), argc, argv);
  }
  return failed == 0 ? 0 : 1;
}
