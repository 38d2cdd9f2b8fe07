// Test entry point for the Qt layers: offscreen platform, fixed Russian locale.
#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>
#include <cstdlib>

int main(int argc, char** argv)
{
  // The tests must pass on a machine without a display and whatever its locale.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
