#include "plane/drawing_window.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "panel/context.h"
#include "plane/plane_widget.h"

namespace kw {

DrawingWindow::DrawingWindow(Context& c, QWidget* parent) : QMainWindow(parent), c_(c)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Ebene"));
    frame_ = new QScrollArea(this);
    frame_->setObjectName(QStringLiteral("Fenster"));
    frame_->setBackgroundRole(QPalette::Base);
    frame_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    frame_->setFrameShape(QFrame::NoFrame);
    plane_ = new PlaneWidget(c_.ebene);
    frame_->setWidget(plane_);
    setCentralWidget(frame_);
    buildMenu();
    // The client area (below the menu bar) is 541 × 458 pixels.
    setGeometry(341, 126, 541, 458 + menuBar()->sizeHint().height());
}

void DrawingWindow::buildMenu()
{
    auto add = [](QMenu* menu, const QString& text, const char* name) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setEnabled(false);
        return a;
    };
    QMenu* groesse = menuBar()->addMenu(QStringLiteral("Grafik-Größe"));
    groesse->setObjectName(QStringLiteral("MenuMain"));
    auto* sizes = new QActionGroup(this);
    for (int n = 1; n <= 8; ++n) {
        const QString text = n == 1 ? QStringLiteral("&300*300 Punkte")
                                    : QStringLiteral("&%1*%1").arg(300 * n);
        QAction* a = add(groesse, text, "MenuGroesse");
        a->setCheckable(true);
        a->setChecked(n == 4);
        sizes->addAction(a);
        menu_.groesse[n - 1] = a;
    }
    groesse->addSeparator()->setObjectName(QStringLiteral("MenueDummy"));
    menu_.ende = add(groesse, QStringLiteral("&Ende"), "MenueEnde");

    QMenu* drucken = menuBar()->addMenu(QStringLiteral("Drucken"));
    drucken->setObjectName(QStringLiteral("Drucken"));
    menu_.bereichDruck = add(drucken, QStringLiteral("Angezeigten Bereich Drucken"), "Bereich_druck");
    menu_.ebeneDrucken = add(drucken, QStringLiteral("gesammte Ebene Drucken"), "Ebene_Drucken");
    menu_.bildSpeichern = add(drucken, QStringLiteral("Als Bild Speichern"), "Bild_Speichern");

    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("Hilfe"));
    hilfe->setObjectName(QStringLiteral("Hilfe_Butt"));
    menu_.eingabeSyntax = add(hilfe, QStringLiteral("Eingabe_Syntax"), "Eingabe_Syntax_Butt");
    menu_.info = add(hilfe, QStringLiteral("Info"), "Info_Butt");
}

void DrawingWindow::planeChanged()
{
    const bool sizeChanged = plane_->size() != QSize(c_.ebene.width(), c_.ebene.height());
    plane_->refresh();
    if (sizeChanged)
        centre();
}

// The origin sits in the middle of the plane: show the middle.
void DrawingWindow::centre()
{
    for (QScrollBar* bar : {frame_->horizontalScrollBar(), frame_->verticalScrollBar()})
        bar->setValue((bar->minimum() + bar->maximum()) / 2);
}

void DrawingWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        // The frame knows its final size only once the window is laid out.
        QTimer::singleShot(0, this, &DrawingWindow::centre);
    }
}

}  // namespace kw
