#include "qt/CommandLineStart.h"

#include "qt/WindowFrontEnd.h"
#include "window/CommandLineBoxes.h"

#include <QGuiApplication>
#include <QtGlobal>

bool DisplayMayOpen()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

void AllowOffscreenFallback()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        // Qt tries the platforms in turn; the last one always starts.
        qputenv("QT_QPA_PLATFORM",
                qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb;offscreen" : "wayland;xcb;offscreen");
    }
#endif
}

bool RunsOffscreen()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform.startsWith(QLatin1String("minimal"));
}

int ConvertWithMessageBoxes(const std::string& argument)
{
    WindowFrontEnd boxes;
    return ConvertWithMessageBoxes(argument, boxes);
}
