// Test entry: one QApplication for the whole binary, made after the view's URL scheme
// is registered, so that suites can use real widgets and web views headless.
#include "HtmlView.h"
#include "ProcessSetup.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    processsetup::prepareHeadless();
    HtmlView::registerSchemes();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
