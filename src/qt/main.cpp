// quillet: the desktop window. Given a file, it converts that file and exits instead.

#include "convert/CommandLineConversion.h"
#include "convert/ConsoleFrontEnd.h"
#include "convert/ProgramStart.h"
#include "qt/AppIdentity.h"
#include "qt/CommandLineStart.h"
#include "qt/FrmQuillet.h"
#include "window/AppIdentity.h"

#include <QApplication>

#include <iostream>

namespace {

int ConvertOnConsole(const std::string& argument)
{
    ConversionRequest request;
    request.source = argument;
    return ConvertOnConsole(request, "usage: quillet [FILE]");
}

}  // namespace

int main(int argc, char** argv)
{
    SetUpSignals();
    const std::string argument = CommandLineArgument(argc, argv);
    if (argument.empty() && !DisplayMayOpen()) {
        std::cerr << "quillet: there is no display to open the window on (DISPLAY is not set).\n"
                     "usage: quillet [FILE]   (with FILE it converts on the console; so does quillet-cli)\n";
        return 1;
    }
    if (!argument.empty()) {
        if (!DisplayMayOpen()) {
            return ConvertOnConsole(argument);
        }
        AllowOffscreenFallback();
    }

    // Every argument belongs to the file name: none is handed to Qt as an option.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationName));
    QApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
    QApplication::setWindowIcon(QuilletIcon());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));

    if (!argument.empty()) {
        return RunsOffscreen() ? ConvertOnConsole(argument) : ConvertWithMessageBoxes(argument);
    }

    FrmQuillet window;
    window.show();
    return QApplication::exec();
}
