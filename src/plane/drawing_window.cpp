#include "plane/drawing_window.h"

#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QWheelEvent>

#include <cstdlib>

#include "core/context.h"
#include "gui/picture_file.h"
#include "plane/drawing_document.h"
#include "plane/jpeg_window.h"
#include "plane/mouse.h"
#include "plane/plane_widget.h"
#include "scene/redraw.h"
#include "scene/show_all.h"

namespace kw {

namespace {

constexpr int kNotch = 120;
// How soon the way down after running out of memory is tried again while a redraw runs.
constexpr int kLowMemoryRetryMs = 50;

QScrollBar* scrollBar(Qt::Orientation orientation, const char* name, QWidget* parent)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, kScrollMax);
    bar->setSingleStep(kScrollStep);
    bar->setPageStep(kScrollPage);
    bar->setValue(kScrollStart);
    bar->hide();
    return bar;
}

// The picture of the plane must fit in memory for printing and saving.
bool pictureFits(int width, int height)
{
    return !QImage(width, height, QImage::Format_RGB32).isNull();
}

}  // namespace

DrawingWindow::DrawingWindow(Context& c, QWidget* parent, QString settingsFile)
    : QMainWindow(parent), c_(c), probe_(pictureFits)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Ebene"));

    client_ = new QWidget(this);
    viewport_ = new QWidget(client_);
    viewport_->setObjectName(QStringLiteral("Fenster"));
    viewport_->setAutoFillBackground(true);
    QPalette white = viewport_->palette();
    white.setColor(QPalette::Window, Qt::white);
    viewport_->setPalette(white);
    plane_ = new PlaneWidget(c_.plane, viewport_);
    hScroll_ = scrollBar(Qt::Horizontal, "HLauf", client_);
    vScroll_ = scrollBar(Qt::Vertical, "VLauf", client_);
    setCentralWidget(client_);
    client_->installEventFilter(this);
    // Wheel turns over the plane zoom it; the frame and the plane do not scroll by themselves.
    viewport_->installEventFilter(this);
    plane_->installEventFilter(this);

    // The plane follows the thumb while it is dragged, not only when let go.
    connect(hScroll_, &QScrollBar::valueChanged, this, &DrawingWindow::Ebene_Positionieren);
    connect(vScroll_, &QScrollBar::valueChanged, this, &DrawingWindow::Ebene_Positionieren);
    connect(plane_, &PlaneWidget::mouseMoved, this, &DrawingWindow::onPlaneMouseMoved);
    connect(plane_, &PlaneWidget::mousePressed, this, &DrawingWindow::onPlanePressed);
    // Not from inside the paint event: the way down asks and redraws.
    connect(plane_, &PlaneWidget::lowMemory, this, &DrawingWindow::lowMemory, Qt::QueuedConnection);

    buildMenu(settingsFile);
    // A saved drawing keeps where its plane was scrolled to.
    connect(hScroll_, &QScrollBar::valueChanged, this,
            [this](int v) { c_.state.picture.hScroll = v; });
    connect(vScroll_, &QScrollBar::valueChanged, this,
            [this](int v) { c_.state.picture.vScroll = v; });
    // The client area (below the menu bar) is 541 × 458 pixels.
    setGeometry(341, 126, 541, 458 + menuBar()->sizeHint().height());
}

DrawingWindow::~DrawingWindow() = default;

void DrawingWindow::buildMenu(const QString& settingsFile)
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("Datei"));
    file->setObjectName(QStringLiteral("Datei"));
    document_ = new DrawingDocument(c_, *this, *file, settingsFile);

    auto add = [](QMenu* menu, const QString& text, const char* name) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu* sizeItems = menuBar()->addMenu(QStringLiteral("Grafik-Größe"));
    sizeItems->setObjectName(QStringLiteral("MenuMain"));
    auto* sizes = new QActionGroup(this);
    for (int n = 1; n <= kSizeItems; ++n) {
        const QString text = n == 1 ? QStringLiteral("&300*300 Punkte")
                                    : QStringLiteral("&%1*%1").arg(kSizeStep * n);
        QAction* a = add(sizeItems, text, "MenuGroesse");
        a->setCheckable(true);
        a->setChecked(n == kSizeStart);
        sizes->addAction(a);
        menu_.sizeItems[n - 1] = a;
        connect(a, &QAction::triggered, this, [this, n] { MenuGroesse_Click(n); });
    }
    sizeItems->addSeparator()->setObjectName(QStringLiteral("MenueDummy"));
    menu_.ende = add(sizeItems, QStringLiteral("&Ende"), "MenueEnde");
    connect(menu_.ende, &QAction::triggered, this, &QWidget::close);

    QMenu* drucken = menuBar()->addMenu(QStringLiteral("Drucken"));
    drucken->setObjectName(QStringLiteral("Drucken"));
    menu_.printShown = add(drucken, QStringLiteral("Angezeigten Bereich Drucken"), "Bereich_druck");
    menu_.printPlane = add(drucken, QStringLiteral("gesammte Ebene Drucken"), "Ebene_Drucken");
    menu_.savePicture = add(drucken, QStringLiteral("Als Bild Speichern"), "Bild_Speichern");
    connect(menu_.printShown, &QAction::triggered, this, &DrawingWindow::Bereich_druck_Click);
    connect(menu_.printPlane, &QAction::triggered, this, &DrawingWindow::Ebene_Drucken_Click);
    connect(menu_.savePicture, &QAction::triggered, this, &DrawingWindow::Bild_Speichern_Click);
    menu_.exportPicture =
        add(drucken, QStringLiteral("Als SVG/PDF/PNG exportieren…"), "Bild_Exportieren");
    connect(menu_.exportPicture, &QAction::triggered, this,
            &DrawingWindow::Bild_Exportieren_Click);

    menu_.kopieren = new QAction(this);
    menu_.kopieren->setObjectName(QStringLiteral("Ebene_Kopieren"));
    menu_.kopieren->setShortcut(QKeySequence::Copy);
    addAction(menu_.kopieren);
    connect(menu_.kopieren, &QAction::triggered, this, &DrawingWindow::copyPlane);

    QMenu* view = menuBar()->addMenu(QStringLiteral("Ansicht"));
    view->setObjectName(QStringLiteral("Ansicht"));
    menu_.showAll = add(view, QStringLiteral("Alles anzeigen"), "Alles_Anzeigen");
    menu_.showAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(menu_.showAll, &QAction::triggered, this, &DrawingWindow::showAll);
    menu_.legend = add(view, QStringLiteral("Legende anzeigen"), "Legende_Anzeigen");
    menu_.legend->setCheckable(true);
    menu_.legend->setChecked(c_.drawing.legendShown);
    connect(menu_.legend, &QAction::toggled, this, [this](bool on) {
        c_.drawing.legendShown = on;
        drawOpened(c_);  // everything shown, drawn again with or without it
        planeChanged();
    });

    QMenu* help = menuBar()->addMenu(QStringLiteral("Hilfe"));
    help->setObjectName(QStringLiteral("Hilfe_Butt"));
    menu_.inputSyntax = add(help, QStringLiteral("Eingabe_Syntax"), "Eingabe_Syntax_Butt");
    menu_.info = add(help, QStringLiteral("Info"), "Info_Butt");
    menu_.inputSyntax->setEnabled(false);
    menu_.info->setEnabled(false);
}

Extent DrawingWindow::planeExtent() const { return {c_.plane.width(), c_.plane.height()}; }

Extent DrawingWindow::viewportExtent() const { return {viewport_->width(), viewport_->height()}; }

void DrawingWindow::planeChanged()
{
    const bool resized = plane_->size() != QSize(c_.plane.width(), c_.plane.height());
    plane_->refresh();
    if (resized)
        Form_Resize();
    if (saveWindow_)
        saveWindow_->planeChanged();
}

void DrawingWindow::Form_Resize()
{
    const int hHeight = hScroll_->sizeHint().height();
    const int vWidth = vScroll_->sizeHint().width();
    const FrameLayout l =
        kw::Form_Resize({client_->width(), client_->height()}, planeExtent(), hHeight, vWidth);
    viewport_->setGeometry(0, 0, l.viewport.width, l.viewport.height);
    hScroll_->setGeometry(0, l.viewport.height, l.viewport.width, hHeight);
    vScroll_->setGeometry(l.viewport.width, 0, vWidth, l.viewport.height);
    hScroll_->setVisible(l.hScroll);
    vScroll_->setVisible(l.vScroll);
    Ebene_Positionieren();
}

void DrawingWindow::Ebene_Positionieren()
{
    const Offset at =
        kw::Ebene_Positionieren(viewportExtent(), planeExtent(), hScroll_->value(), vScroll_->value());
    plane_->move(at.left, at.top);
}

bool DrawingWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize)
        Form_Resize();
    if ((watched == plane_ || watched == viewport_) && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool DrawingWindow::MouseWheel(int Distance)
{
    const bool done = kw::MouseWheel(c_, Distance);
    planeChanged();
    return done;
}

void DrawingWindow::wheelEvent(QWheelEvent* event)
{
    // Fine-grained wheels and touchpads report parts of a notch; the plane
    // changes by whole notches only.
    wheelRest_ += event->angleDelta().y();
    while (std::abs(wheelRest_) >= kNotch) {
        const int notch = wheelRest_ > 0 ? kNotch : -kNotch;
        wheelRest_ -= notch;
        if (!MouseWheel(notch)) {
            wheelRest_ = 0;  // one message for the whole turn
            break;
        }
    }
    event->accept();
}

void DrawingWindow::onPlanePressed(QPoint global, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    dragging_ = true;
    dragFrom_ = global;
    dragStart_ = {plane_->x(), plane_->y()};
}

void DrawingWindow::onPlaneMouseMoved(QPoint pos, QPoint global, Qt::MouseButtons buttons)
{
    if (!(buttons & Qt::LeftButton))
        dragging_ = false;
    if (dragging_ && buttons == Qt::LeftButton) {
        const QPoint by = global - dragFrom_;
        const Offset to = dragPlane(viewportExtent(), planeExtent(), dragStart_, by.x(), by.y());
        // The cursor now lies elsewhere on the moved plane.
        pos -= QPoint(to.left, to.top) - plane_->pos();
        plane_->move(to.left, to.top);
        // The bars follow, so that scrolling goes on from where the plane now lies.
        const ScrollValues values =
            scrollValuesFor(viewportExtent(), planeExtent(), to, {hScroll_->value(), vScroll_->value()});
        const QSignalBlocker hBlock(hScroll_), vBlock(vScroll_);
        hScroll_->setValue(values.h);
        vScroll_->setValue(values.v);
    }
    const double x = c_.plane.worldX(pos.x());
    const double y = c_.plane.worldY(pos.y());
    Ebene_MouseMove(c_, x, y);
    plane_->setTrace(x, y);
}

void DrawingWindow::showAll()
{
    // The plane fits the client area, where it needs no scroll bars.
    if (kw::showAll(c_, client_->width(), client_->height())) {
        planeChanged();
        Form_Resize();
    }
}

void DrawingWindow::MenuGroesse_Click(int n)
{
    sizeChosen(kw::MenuGroesse_Click(c_, n, probe_));
}

void DrawingWindow::lowMemory()
{
    if (lowMemory_)
        return;  // one way down at a time; it catches its own failures
    if (c_.pacer.working()) {
        // Failed in an event handled during a redraw: not a redraw within it.
        QTimer::singleShot(kLowMemoryRetryMs, this, &DrawingWindow::lowMemory);
        return;
    }
    lowMemory_ = true;
    c_.plane.release();  // the display list and the cache go before the message
    plane_->refresh();
    sizeChosen(kw::lowMemory(c_, probe_));
    lowMemory_ = false;
}

void DrawingWindow::sizeChosen(int item)
{
    if (item == kSizeRefused) {
        menu_.sizeItems[sizeItem_ - 1]->setChecked(true);
        return;
    }
    sizeItem_ = item == 0 ? 1 : item;
    menu_.sizeItems[sizeItem_ - 1]->setChecked(true);
    planeChanged();
    if (item == 0)
        emit endProgram();
}

void DrawingWindow::print(bool (*page)(QPrinter&, const DrawingWindow&))
{
    std::unique_ptr<QPrinter> printer = openPrinter(this, print_);
    if (!printer || page(*printer, *this))
        return;
    if (printer->outputFormat() == QPrinter::PdfFormat)
        c_.ui.message("Die Datei " + printer->outputFileName().toStdString() +
                      " konnte nicht geschrieben werden.");
    else
        c_.ui.message("Der Ausdruck auf " + printer->printerName().toStdString() +
                      " konnte nicht gestartet werden.");
}

void DrawingWindow::Bereich_druck_Click()
{
    print([](QPrinter& printer, const DrawingWindow& w) {
        // What the frame shows, in plane pixels.
        const QRect visible(-w.plane_->pos(), w.viewport_->size());
        return bereich_Drucken(printer, w.c_.plane, visible);
    });
}

void DrawingWindow::Ebene_Drucken_Click()
{
    print([](QPrinter& printer, const DrawingWindow& w) {
        return Ebene_Drucken(printer, w.c_.plane, w.frameGeometry().size());
    });
}

void DrawingWindow::Bild_Speichern_Click()
{
    if (!saveWindow_) {
        saveWindow_ = std::make_unique<JpegWindow>(c_.ui, c_.plane);
        // Over the middle of the plane unless the program places it; later where the user left it.
        saveWindow_->adjustSize();
        saveWindow_->move(frameGeometry().center() - saveWindow_->rect().center());
        emit saveWindowCreated(saveWindow_.get());
    }
    saveWindow_->planeChanged();
    saveWindow_->show();
    saveWindow_->raise();
}

void DrawingWindow::Bild_Exportieren_Click()
{
    const QString file =
        askFileName_(this, QString::fromUtf8(kPictureFilters), QStringLiteral("svg"));
    if (file.isEmpty())
        return;
    const std::optional<PictureFormat> format = pictureFormatOf(file);
    if (!format) {
        c_.ui.message("Die Datei muss auf " + std::string(kPictureEndings) +
                      " enden: " + file.toStdString());
        return;
    }
    QString why;
    if (!writePicture(c_.plane, file, *format, why))
        c_.ui.message("Die Datei " + file.toStdString() + " konnte nicht geschrieben werden (" +
                      why.toStdString() + ").");
}

void DrawingWindow::copyPlane()
{
    QGuiApplication::clipboard()->setMimeData(planeMimeData(c_.plane));
}

void DrawingWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    emit moved();
}

void DrawingWindow::showOpened()
{
    const int side = c_.plane.width();
    if (side == c_.plane.height() && side % kSizeStep == 0 && side / kSizeStep >= 1 &&
        side / kSizeStep <= kSizeItems) {
        sizeItem_ = side / kSizeStep;
        menu_.sizeItems[sizeItem_ - 1]->setChecked(true);
    }
    const int h = c_.state.picture.hScroll, v = c_.state.picture.vScroll;
    planeChanged();
    Form_Resize();
    hScroll_->setValue(h);
    vScroll_->setValue(v);
    Ebene_Positionieren();
}

void DrawingWindow::closeEvent(QCloseEvent* event)
{
    if (!document_->mayLeave()) {
        event->ignore();
        return;
    }
    emit closing();
    QMainWindow::closeEvent(event);
}

}  // namespace kw
