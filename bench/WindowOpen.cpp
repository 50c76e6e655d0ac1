// How long the window takes to open and to show a 32767-line listing: the largest block a
// listing can give. Not a test: it prints the times, for the README's performance figures.
//
//   quillet_window_bench [RUNS]
//
// Each run builds a window, shows it and waits until it has painted; then opens the
// listing as Open does once its dialog has closed, and paints again: the pause a user sees
// between choosing the file and seeing its dump lines. With no display, Qt's offscreen
// platform is used; it paints into memory as a screen would.

#include "qt/FrmQuillet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A listing whose dump section holds 32767 lines of 16 bytes, from 0000 upwards.
QByteArray LargestListing()
{
    QByteArray text = "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n" + QByteArray(53, '-') + "\n";
    for (int line = 0; line < 32767; ++line) {
        text += QByteArray::number(line * 16 % 0x10000, 16).toUpper().rightJustified(4, '0') + " ";
        for (int i = 0; i < 16; ++i) {
            text += " " + QByteArray::number((line + i) & 0xFF, 16).toUpper().rightJustified(2, '0');
        }
        text += "\n";
    }
    return text;
}

double Milliseconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void Report(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %7.1f ms   min %7.1f ms   max %7.1f ms\n", what, times[times.size() / 2],
                times.front(), times.back());
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QElapsedTimer started;
    started.start();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const double appMs = Milliseconds(started);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("largest.lst"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(LargestListing()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    file.close();

    std::vector<double> shown;
    std::vector<double> opened;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        FrmQuillet window;
        window.show();
        QApplication::processEvents();
        window.repaint();
        shown.push_back(Milliseconds(timer));

        timer.restart();
        window.OpenFile(path);
        QApplication::processEvents();
        window.repaint();
        opened.push_back(Milliseconds(timer));
        if (window.State().DumpLineCount != 32767) {
            std::fprintf(stderr, "the listing did not load\n");
            return 1;
        }
    }
    std::printf("platform %s, %d runs; QApplication started in %.1f ms\n",
                qPrintable(QApplication::platformName()), runs, appMs);
    Report("window built, shown and painted", shown);
    Report("32767-line listing opened and painted", opened);
    return 0;
}
