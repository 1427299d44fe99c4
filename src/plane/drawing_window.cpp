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
#include <QWheelEvent>

#include <cstdlib>

#include "core/context.h"
#include "gui/picture_file.h"
#include "plane/jpeg_window.h"
#include "plane/mouse.h"
#include "plane/plane_widget.h"

namespace kw {

namespace {

constexpr int kNotch = 120;

QScrollBar* lauf(Qt::Orientation orientation, const char* name, QWidget* parent)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, kLaufMax);
    bar->setSingleStep(kLaufKlein);
    bar->setPageStep(kLaufGross);
    bar->setValue(kLaufStart);
    bar->hide();
    return bar;
}

// The picture of the plane must fit in memory for printing and saving.
bool pictureFits(int width, int height)
{
    return !QImage(width, height, QImage::Format_RGB32).isNull();
}

}  // namespace

DrawingWindow::DrawingWindow(Context& c, QWidget* parent)
    : QMainWindow(parent), c_(c), probe_(pictureFits)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Ebene"));

    client_ = new QWidget(this);
    fenster_ = new QWidget(client_);
    fenster_->setObjectName(QStringLiteral("Fenster"));
    fenster_->setAutoFillBackground(true);
    QPalette white = fenster_->palette();
    white.setColor(QPalette::Window, Qt::white);
    fenster_->setPalette(white);
    plane_ = new PlaneWidget(c_.ebene, fenster_);
    hLauf_ = lauf(Qt::Horizontal, "HLauf", client_);
    vLauf_ = lauf(Qt::Vertical, "VLauf", client_);
    setCentralWidget(client_);
    client_->installEventFilter(this);
    // Wheel turns over the plane zoom it; the frame and the plane do not scroll by themselves.
    fenster_->installEventFilter(this);
    plane_->installEventFilter(this);

    // The plane follows the thumb while it is dragged, not only when let go.
    connect(hLauf_, &QScrollBar::valueChanged, this, &DrawingWindow::Ebene_Positionieren);
    connect(vLauf_, &QScrollBar::valueChanged, this, &DrawingWindow::Ebene_Positionieren);
    connect(plane_, &PlaneWidget::mouseMoved, this, &DrawingWindow::onPlaneMouseMoved);
    connect(plane_, &PlaneWidget::mousePressed, this, &DrawingWindow::onPlanePressed);

    buildMenu();
    // The client area (below the menu bar) is 541 × 458 pixels.
    setGeometry(341, 126, 541, 458 + menuBar()->sizeHint().height());
}

DrawingWindow::~DrawingWindow() = default;

void DrawingWindow::buildMenu()
{
    auto add = [](QMenu* menu, const QString& text, const char* name) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu* groesse = menuBar()->addMenu(QStringLiteral("Grafik-Größe"));
    groesse->setObjectName(QStringLiteral("MenuMain"));
    auto* sizes = new QActionGroup(this);
    for (int n = 1; n <= kGroesseItems; ++n) {
        const QString text = n == 1 ? QStringLiteral("&300*300 Punkte")
                                    : QStringLiteral("&%1*%1").arg(kGroesseSchritt * n);
        QAction* a = add(groesse, text, "MenuGroesse");
        a->setCheckable(true);
        a->setChecked(n == kGroesseStart);
        sizes->addAction(a);
        menu_.groesse[n - 1] = a;
        connect(a, &QAction::triggered, this, [this, n] { MenuGroesse_Click(n); });
    }
    groesse->addSeparator()->setObjectName(QStringLiteral("MenueDummy"));
    menu_.ende = add(groesse, QStringLiteral("&Ende"), "MenueEnde");
    connect(menu_.ende, &QAction::triggered, this, &QWidget::close);

    QMenu* drucken = menuBar()->addMenu(QStringLiteral("Drucken"));
    drucken->setObjectName(QStringLiteral("Drucken"));
    menu_.bereichDruck = add(drucken, QStringLiteral("Angezeigten Bereich Drucken"), "Bereich_druck");
    menu_.ebeneDrucken = add(drucken, QStringLiteral("gesammte Ebene Drucken"), "Ebene_Drucken");
    menu_.bildSpeichern = add(drucken, QStringLiteral("Als Bild Speichern"), "Bild_Speichern");
    connect(menu_.bereichDruck, &QAction::triggered, this, &DrawingWindow::Bereich_druck_Click);
    connect(menu_.ebeneDrucken, &QAction::triggered, this, &DrawingWindow::Ebene_Drucken_Click);
    connect(menu_.bildSpeichern, &QAction::triggered, this, &DrawingWindow::Bild_Speichern_Click);
    menu_.bildExportieren =
        add(drucken, QStringLiteral("Als SVG/PDF/PNG exportieren…"), "Bild_Exportieren");
    connect(menu_.bildExportieren, &QAction::triggered, this,
            &DrawingWindow::Bild_Exportieren_Click);

    menu_.kopieren = new QAction(this);
    menu_.kopieren->setObjectName(QStringLiteral("Ebene_Kopieren"));
    menu_.kopieren->setShortcut(QKeySequence::Copy);
    addAction(menu_.kopieren);
    connect(menu_.kopieren, &QAction::triggered, this, &DrawingWindow::copyPlane);

    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("Hilfe"));
    hilfe->setObjectName(QStringLiteral("Hilfe_Butt"));
    menu_.eingabeSyntax = add(hilfe, QStringLiteral("Eingabe_Syntax"), "Eingabe_Syntax_Butt");
    menu_.info = add(hilfe, QStringLiteral("Info"), "Info_Butt");
    menu_.eingabeSyntax->setEnabled(false);
    menu_.info->setEnabled(false);
}

Extent DrawingWindow::planeExtent() const { return {c_.ebene.width(), c_.ebene.height()}; }

Extent DrawingWindow::fensterExtent() const { return {fenster_->width(), fenster_->height()}; }

void DrawingWindow::planeChanged()
{
    const bool resized = plane_->size() != QSize(c_.ebene.width(), c_.ebene.height());
    plane_->refresh();
    if (resized)
        Form_Resize();
    if (saveWindow_)
        saveWindow_->planeChanged();
}

void DrawingWindow::Form_Resize()
{
    const int hHeight = hLauf_->sizeHint().height();
    const int vWidth = vLauf_->sizeHint().width();
    const FrameLayout l =
        kw::Form_Resize({client_->width(), client_->height()}, planeExtent(), hHeight, vWidth);
    fenster_->setGeometry(0, 0, l.fenster.width, l.fenster.height);
    hLauf_->setGeometry(0, l.fenster.height, l.fenster.width, hHeight);
    vLauf_->setGeometry(l.fenster.width, 0, vWidth, l.fenster.height);
    hLauf_->setVisible(l.hLauf);
    vLauf_->setVisible(l.vLauf);
    Ebene_Positionieren();
}

void DrawingWindow::Ebene_Positionieren()
{
    const Offset at =
        kw::Ebene_Positionieren(fensterExtent(), planeExtent(), hLauf_->value(), vLauf_->value());
    plane_->move(at.left, at.top);
}

bool DrawingWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize)
        Form_Resize();
    if ((watched == plane_ || watched == fenster_) && event->type() == QEvent::Wheel) {
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
        const Offset to = dragPlane(fensterExtent(), planeExtent(), dragStart_, by.x(), by.y());
        // The cursor now lies elsewhere on the moved plane.
        pos -= QPoint(to.left, to.top) - plane_->pos();
        plane_->move(to.left, to.top);
        // The bars follow, so that scrolling goes on from where the plane now lies.
        const LaufValues values =
            laufFor(fensterExtent(), planeExtent(), to, {hLauf_->value(), vLauf_->value()});
        const QSignalBlocker hBlock(hLauf_), vBlock(vLauf_);
        hLauf_->setValue(values.h);
        vLauf_->setValue(values.v);
    }
    const double x = c_.ebene.worldX(pos.x());
    const double y = c_.ebene.worldY(pos.y());
    Ebene_MouseMove(c_, x, y);
    plane_->setTrace(x, y);
}

void DrawingWindow::MenuGroesse_Click(int n)
{
    const int item = kw::MenuGroesse_Click(c_, n, probe_);
    if (item == kGroesseAbgelehnt) {
        menu_.groesse[groesse_ - 1]->setChecked(true);
        return;
    }
    groesse_ = item == 0 ? 1 : item;
    menu_.groesse[groesse_ - 1]->setChecked(true);
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
        const QRect visible(-w.plane_->pos(), w.fenster_->size());
        return bereich_Drucken(printer, w.c_.ebene, visible);
    });
}

void DrawingWindow::Ebene_Drucken_Click()
{
    print([](QPrinter& printer, const DrawingWindow& w) {
        return Ebene_Drucken(printer, w.c_.ebene, w.frameGeometry().size());
    });
}

void DrawingWindow::Bild_Speichern_Click()
{
    if (!saveWindow_) {
        saveWindow_ = std::make_unique<JpegWindow>(c_.ui, c_.ebene);
        // First shown over the middle of the plane; later where the user left it.
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
    if (!writePicture(c_.ebene, file, *format, why))
        c_.ui.message("Die Datei " + file.toStdString() + " konnte nicht geschrieben werden (" +
                      why.toStdString() + ").");
}

void DrawingWindow::copyPlane()
{
    QGuiApplication::clipboard()->setMimeData(planeMimeData(c_.ebene));
}

void DrawingWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    emit moved();
}

void DrawingWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    QMainWindow::closeEvent(event);
}

}  // namespace kw
