#include <QApplication>
#include <QGuiApplication>

#include <iostream>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/batch.h"
#include "app/report.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (kw::isReport(args)) {
        auto options = kw::parseReport(args, std::cerr);
        if (!options)
            return kw::kBatchUsage;
        return kw::runReport(*options, std::cout, std::cerr);
    }
    if (kw::isBatch(args)) {
        auto options = kw::parseBatch(args, std::cerr);
        if (!options)
            return kw::kBatchUsage;
        // No window and no display: render with the offscreen platform.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        kw::useGermanQtTexts();
        return kw::runBatch(*options, std::cerr);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kurvenwerk"));
    kw::useGermanQtTexts();
    kw::App kurvenwerk;
    kurvenwerk.start();
    return app.exec();
}
