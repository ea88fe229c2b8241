#pragma once
// The Qt Test classes of window_test, run one after another by main.cpp.

#include <QObject>

namespace vantorel::window::test {

QObject* MakeEntryTest();
QObject* MakeBadInputTest();
QObject* MakeDrawingTest();
QObject* MakeWindowTest();
QObject* MakeMessageBoxTest();
QObject* MakeProgramEndTest();
QObject* MakeTextFitTest();
QObject* MakeResultTextTest();
QObject* MakeAccessibilityTest();
QObject* MakeProgramTest();

}  // namespace vantorel::window::test
