// Test entry: offscreen Qt, a temporary HOME, the virtual host installed.
#include <cstdlib>

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "virtual_host.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", getenv("QT_QPA_PLATFORM") ? getenv("QT_QPA_PLATFORM") : "offscreen", 1);
  QTemporaryDir home;
  setenv("HOME", home.path().toLocal8Bit().constData(), 1);
  setenv("XDG_DOCUMENTS_DIR", (home.path() + "/Documents").toLocal8Bit().constData(), 1);
  QApplication app(argc, argv);
  vt::installVirtualHost();
  vt::vhost().setDocuments(home.path().toStdString());
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
