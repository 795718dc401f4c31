#include "ProcessSetup.h"

#include <QFileInfo>

#include <unistd.h>

namespace processsetup {

QString programDirectory() {
    return QFileInfo(QStringLiteral("/proc/self/exe"))
        .canonicalFilePath()
        .section(QLatin1Char('/'), 0, -2);
}

void useProgramFonts(const QString& programDir) {
    const QString conf = programDir + QStringLiteral("/fonts.conf");
    if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE") && QFileInfo::exists(conf)) {
        qputenv("FONTCONFIG_FILE", conf.toLocal8Bit());
    }
}

void allowWebEngineAsRoot() {
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
}

void prepareHeadless() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    }
    useProgramFonts(programDirectory());
}

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace processsetup
