#include <QApplication>
#include <QGuiApplication>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/application.h"
#include "app/options.h"

namespace {

// A run without windows says what it has to say itself; Qt's warnings (such as
// the one about an unset XDG_RUNTIME_DIR) would only clutter standard error.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv)
{
    // A file beyond the size limit is a failed write with its message, not the
    // end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Arguments are read as UTF-8 text: a file name of other bytes would be
    // written under another name.
    for (const std::string& arg : args) {
        if (QString::fromStdString(arg).toStdString() != arg) {
            std::cerr << "Ein Argument ist kein gültiger UTF-8-Text; unter einem anderen Namen "
                         "wird nicht geschrieben.\n";
            return kw::kBatchUsage;
        }
    }
    const auto line = kw::parseCommandLine(args, std::cerr);
    if (!line)
        return kw::kBatchUsage;
    switch (line->mode) {
    case kw::CommandLine::Mode::Help:
        std::cout << kw::usageText();
        return kw::kBatchOk;
    case kw::CommandLine::Mode::Version:
        std::cout << kw::versionText();
        return kw::kBatchOk;
    case kw::CommandLine::Mode::Report:
        qInstallMessageHandler(quietQt);
        return kw::runReport(line->report, std::cout, std::cerr);
    case kw::CommandLine::Mode::Export: {
        qInstallMessageHandler(quietQt);
        // No window and no display: render with the offscreen platform.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        kw::useGermanQtTexts();
        return kw::runBatch(line->exportOptions, std::cerr);
    }
    case kw::CommandLine::Mode::Window:
        break;
    }

    kw::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kurvenwerk"));
    QApplication::setOrganizationName(QStringLiteral("Kurvenwerk"));
    kw::useGermanQtTexts();
    kw::App kurvenwerk;
    kurvenwerk.start();
    // "kurvenwerk DATEI.kurve" (what Qt left of the arguments): that drawing open.
    for (const QString& arg : QApplication::arguments().mid(1)) {
        if (!arg.startsWith(QLatin1Char('-'))) {
            kurvenwerk.openDrawing(arg);
            break;
        }
    }
    return app.exec();
}
