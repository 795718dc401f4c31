// Program entry: prepares the process, then shows the main window until it closes.
#include "HtmlView.h"
#include "params_Unit.h"
#include "ProcessSetup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (!processsetup::hasDisplay()) {
        std::fprintf(stderr, "2010Parvex: no display to show the window on "
                             "(DISPLAY and WAYLAND_DISPLAY are not set).\n");
        return 1;
    }
    processsetup::allowWebEngineAsRoot();
    processsetup::useProgramFonts(processsetup::programDirectory());
    HtmlView::registerSchemes();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("2010Parvex"));

    Tfrm_ts frm_ts;
    frm_ts.show();
    return QApplication::exec();
}
