#include "app/batch.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>

#include <ostream>

#include "panel/colours.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "plane/render.h"

namespace kw {

namespace {

// Messages go to the error stream; questions are answered with nothing.
class StreamUi : public Ui {
public:
    explicit StreamUi(std::ostream& err) : err_(err) {}
    void message(std::string_view text, std::string_view) override { err_ << text << '\n'; }
    using Ui::message;

private:
    std::ostream& err_;
};

const char* usage =
    "Aufruf: kurvenwerk --export DATEI [--term T] [--from A] [--to B] [--quality Q] "
    "[--colour NAME]\n";

std::optional<QByteArray> formatOf(const std::string& file)
{
    const QString lower = QString::fromStdString(file).toLower();
    if (lower.endsWith(QLatin1String(".png")))
        return QByteArray("png");
    if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg")))
        return QByteArray("jpeg");
    return std::nullopt;
}

}  // namespace

bool isBatch(const std::vector<std::string>& args)
{
    return !args.empty() && args.front().rfind("--", 0) == 0;
}

std::optional<BatchOptions> parseBatch(const std::vector<std::string>& args, std::ostream& err)
{
    BatchOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        std::optional<std::string>* slot = nullptr;
        if (name == "--term")
            slot = &o.term;
        else if (name == "--from")
            slot = &o.from;
        else if (name == "--to")
            slot = &o.to;
        else if (name == "--quality")
            slot = &o.quality;
        else if (name == "--colour")
            slot = &o.colour;
        else if (name != "--export") {
            err << "Unbekannte Option: " << name << '\n' << usage;
            return std::nullopt;
        }
        if (i + 1 == args.size()) {
            err << "Zur Option " << name << " fehlt der Wert.\n" << usage;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (slot)
            *slot = value;
        else
            o.exportFile = value;
    }
    if (o.exportFile.empty()) {
        err << usage;
        return std::nullopt;
    }
    if (!formatOf(o.exportFile)) {
        err << "Die Datei muss auf .png, .jpg oder .jpeg enden: " << o.exportFile << '\n';
        return std::nullopt;
    }
    if (o.colour && !colourByName(*o.colour, kSevenColours)) {
        err << "Unbekannte Farbe: " << *o.colour << " (möglich:";
        for (std::size_t i = 0; i < kSevenColours; ++i)
            err << ' ' << kColours[i].name;
        err << ")\n";
        return std::nullopt;
    }
    return o;
}

int runBatch(const BatchOptions& o, std::ostream& err)
{
    StreamUi ui(err);
    Context c(ui);
    State& s = c.s;
    if (o.from)
        s.x_eingabe = *o.from;
    if (o.to)
        s.y_eingabe = *o.to;
    if (o.quality)
        s.qualitaet_eingabe = *o.quality;
    if (o.colour)
        s.FarbeBox = *o.colour;
    mainPanelLoad(c);
    s.Eingabe = o.term.value_or("x^2");
    zeichnen(c);

    QImage image;
    renderPlane(c.ebene, image);
    const QByteArray format = *formatOf(o.exportFile);
    QSaveFile file(QString::fromStdString(o.exportFile));
    QImageWriter writer(&file, format);
    if (format == "jpeg")
        writer.setQuality(85);
    if (!file.open(QIODevice::WriteOnly) || !writer.write(image) || !file.commit()) {
        const QString why = writer.error() != QImageWriter::UnknownError ? writer.errorString()
                                                                         : file.errorString();
        err << "Die Datei konnte nicht geschrieben werden: " << o.exportFile << " ("
            << why.toStdString() << ")\n";
        return kBatchFailed;
    }
    return kBatchOk;
}

}  // namespace kw
