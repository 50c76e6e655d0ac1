// quillet: the desktop window. Given a file, it converts that file and exits instead;
// --help and --version answer on the console.

#include "convert/CommandLineConversion.h"
#include "convert/ConsoleFrontEnd.h"
#include "convert/ProgramStart.h"
#include "qt/AppIdentity.h"
#include "qt/CommandLineStart.h"
#include "qt/FrmQuillet.h"
#include "window/AppIdentity.h"
#include "window/QuilletCommandLine.h"

#include <QApplication>

#include <iostream>

namespace {

int ConvertOnConsole(const std::string& argument)
{
    ConversionRequest request;
    request.source = argument;
    request.noLoadAddressMessage = kQuilletNoLoadAddressMessage;
    return ConvertOnConsole(request, QuilletUsageLine());
}

int NoDisplay()
{
    std::cerr << "quillet: there is no display to open the window on (DISPLAY is not set).\n"
              << QuilletUsageLine() << "   (with FILE it converts on the console; so does quillet-cli)\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    SetUpSignals();
    switch (QuilletOptionOf(Utf8Arguments(argc, argv))) {
        case QuilletOption::Help:
            std::cout << QuilletHelpText()
                      << "\nQt's own options, such as -style fusion or -platform offscreen, go to Qt.\n";
            return 0;
        case QuilletOption::Version:
            std::cout << QuilletVersionText();
            return 0;
        case QuilletOption::None:
            break;
    }
    const bool displayMayOpen = DisplayMayOpen(argc, argv);
    if (argc <= 1 && !displayMayOpen) {
        return NoDisplay();
    }
    if (argc > 1) {
        AllowOffscreenFallback(displayMayOpen);
        QuietQtMessages(true);
    }

    // Qt takes its own options; what it leaves is the file.
    QApplication app(argc, argv);
    const std::string argument = FileArgument(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationName));
    QApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
    QApplication::setWindowIcon(QuilletIcon());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));

    if (!argument.empty()) {
        return RunsOffscreen() ? ConvertOnConsole(argument) : ConvertWithMessageBoxes(argument);
    }
    if (!displayMayOpen) {
        return NoDisplay();  // Qt's options alone, and nowhere to show the window
    }
    QuietQtMessages(false);

    FrmQuillet window;
    window.show();
    return QApplication::exec();
}
