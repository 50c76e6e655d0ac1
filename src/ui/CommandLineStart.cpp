#include "ui/CommandLineStart.h"

#include "cli/ConsoleFrontEnd.h"
#include "cli/Utf8Arguments.h"
#include "model/Document.h"
#include "model/TextUtil.h"
#include "ui/CommandLineConversion.h"
#include "ui/WindowFrontEnd.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <iostream>

namespace {

int Convert(FrontEnd& ui, const std::string& argument)
{
    Document doc(ui);
    ConversionRequest request;
    request.source = argument;
    return ConvertFromCommandLine(doc, request);
}

}  // namespace

std::string CommandLineArgument(int argc, char** argv)
{
    const std::vector<std::string> words = Utf8Arguments(argc, argv);
    std::string argument;
    for (std::size_t i = 0; i < words.size(); ++i) {
        argument += (i > 0 ? " " : "") + words[i];
    }
    // Trimmed once, here, so that every step of the conversion sees the same name.
    return std::string(TrimSpaces(argument));
}

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
    WindowFrontEnd ui;
    return Convert(ui, argument);
}

int ConvertOnConsole(const std::string& argument)
{
    ConsoleFrontEnd ui(std::cout, std::cerr, argument);
    const int status = Convert(ui, argument);
    if (status == kExitUsage) {
        std::cerr << "usage: quillet [FILE]\n";
    }
    return status;
}
