#include "qt/CommandLineStart.h"

#include "convert/ProgramStart.h"
#include "qt/WindowFrontEnd.h"
#include "window/QuilletCommandLine.h"

#include <QCoreApplication>
#include <QStringList>

#include <QGuiApplication>
#include <QtGlobal>

namespace {

QtMessageHandler qtMessages = nullptr;  // Qt's own handler, while ours is installed

void LeaveOffAllButFatal(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && qtMessages != nullptr) {
        qtMessages(type, context, message);
    }
}

// Whether the command line gives Qt a platform or an X11 display of its own: -platform
// NAME or -display NAME, with one dash or two, as Qt reads them.
bool NamesPlatformOrDisplay(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        std::string option = argv[i];
        if (option.rfind("--", 0) == 0) {
            option.erase(0, 1);
        }
        if (option == "-platform" || option == "-display") {
            return true;
        }
    }
    return false;
}

}  // namespace

bool DisplayMayOpen(int argc, char** argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || NamesPlatformOrDisplay(argc, argv);
#else
    (void)argc;
    (void)argv;
    return true;
#endif
}

void AllowOffscreenFallback(bool displayMayOpen)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        // Qt tries the platforms in turn; the last one always starts. With no display
        // named, none but the last would.
        qputenv("QT_QPA_PLATFORM", !displayMayOpen ? "offscreen"
                                   : qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                       ? "xcb;offscreen"
                                       : "wayland;xcb;offscreen");
    }
#else
    (void)displayMayOpen;
#endif
}

void QuietQtMessages(bool quiet)
{
    if (quiet && qtMessages == nullptr) {
        qtMessages = qInstallMessageHandler(&LeaveOffAllButFatal);
    } else if (!quiet && qtMessages != nullptr) {
        qInstallMessageHandler(qtMessages);
        qtMessages = nullptr;
    }
}

std::string FileArgument(int argc, char** argv)
{
#ifdef Q_OS_WIN
    // Read from the wide command line, as Utf8Arguments reads it; Qt keeps what it left.
    (void)argc;
    (void)argv;
    std::vector<std::string> words;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        words.push_back(arguments[i].toStdString());
    }
    return CommandLineArgument(words);
#else
    // Byte for byte, as file names are: Qt has taken its options out of argv.
    return CommandLineArgument(argc, argv);
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
    return ConvertWithMessageBoxes(argument, boxes, BoxLines::Wrapped);
}
