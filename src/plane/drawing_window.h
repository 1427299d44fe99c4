#pragma once

#include <QMainWindow>
#include <QPoint>

#include <memory>

#include "plane/frame.h"
#include "plane/picture_size.h"
#include "plane/printing.h"

class QAction;
class QPrinter;
class QScrollBar;

namespace kw {

class Context;
class DrawingDocument;
class JpegWindow;
class PlaneWidget;

// The drawing window "Ebene": the plane in the frame `Fenster` with the scroll
// bars `HLauf` and `VLauf`, the wheel zoom, the cursor's coordinates and trace
// lines, the picture-size menu, printing, the JPEG save window and the
// picture export.
class DrawingWindow : public QMainWindow {
    Q_OBJECT
public:
    // Recent drawings are kept in the program's settings, or in settingsFile.
    explicit DrawingWindow(Context& c, QWidget* parent = nullptr, QString settingsFile = {});
    ~DrawingWindow() override;

    // The plane changed its size or content.
    void planeChanged();

    PlaneWidget* plane() const { return plane_; }
    QWidget* viewport() const { return viewport_; }
    QScrollBar* hScroll() const { return hScroll_; }
    QScrollBar* vScroll() const { return vScroll_; }
    // The JPEG save window; nothing until "Als Bild Speichern" first opened it.
    JpegWindow* saveWindow() const { return saveWindow_.get(); }

    // The menu entries, named after their controls. The help entries stay
    // disabled until their windows exist.
    struct Menu {
        QAction* sizeItems[kSizeItems];  // "&300*300 Punkte" … "&2400*2400", item 4 checked
        QAction* ende;                    // "&Ende"
        QAction* printShown;            // "Angezeigten Bereich Drucken"
        QAction* printPlane;            // "gesammte Ebene Drucken"
        QAction* savePicture;           // "Als Bild Speichern"
        QAction* exportPicture;         // "Als SVG/PDF/PNG exportieren…"
        QAction* kopieren;                // Ctrl+C, in no menu: the plane to the clipboard
        QAction* showAll;               // "Alles anzeigen", Ctrl+0
        QAction* legend;                // "Legende anzeigen", checked
        QAction* inputSyntax;           // "Eingabe_Syntax"
        QAction* info;                    // "Info"
    };
    const Menu& menu() const { return menu_; }
    // The drawing's file and the menu "Datei".
    DrawingDocument& document() const { return *document_; }
    // Shows the scroll position and the picture-size item of an opened drawing.
    void showOpened();

    // Lays out frame and scroll bars for the current window and plane size.
    void Form_Resize();
    // Places the plane in the frame from the scroll values.
    void Ebene_Positionieren();
    // One wheel step (+120 per notch away from the user); false when the
    // range fields cannot be drawn (nothing changed, the user was told).
    bool MouseWheel(int Distance);
    // "Alles anzeigen": everything drawn in view, the plane fitted to the window.
    void showAll();
    // Item n (1 … 8) of "Grafik-Größe".
    void MenuGroesse_Click(int n);
    // A drawing or painting ran out of memory: the plane one size smaller, or
    // the end of the program at the smallest (see kw::lowMemory).
    void lowMemory();
    void Bereich_druck_Click();
    void Ebene_Drucken_Click();
    void Bild_Speichern_Click();
    // Asks for a file and writes the whole plane as SVG, PDF, PNG or JPEG, as
    // the chosen file type or the typed extension says.
    void Bild_Exportieren_Click();
    // The whole plane onto the clipboard, as picture and as SVG.
    void copyPlane();

    // Where the picture-size menu asks for memory and printing for a printer;
    // tests replace them.
    void setPictureProbe(PictureProbe probe) { probe_ = std::move(probe); }
    void setPrintServices(PrintServices services) { print_ = std::move(services); }
    // Where the picture export asks for its file; tests answer instead.
    void setAskFileName(AskFileName ask) { askFileName_ = std::move(ask); }

signals:
    void moved();                              // `FormMove`: the window was moved
    void closing();                            // the window closes; the program closes with it
    void endProgram();                         // not even the smallest picture could be had
    void saveWindowCreated(QWidget* window);   // the JPEG save window exists

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void buildMenu(const QString& settingsFile);
    void onPlaneMouseMoved(QPoint pos, QPoint global, Qt::MouseButtons buttons);
    void onPlanePressed(QPoint global, Qt::MouseButton button);
    void print(bool (*page)(QPrinter&, const DrawingWindow&));
    Extent planeExtent() const;
    Extent viewportExtent() const;
    // Checks the size item a resize ended with; 0 ends the program.
    void sizeChosen(int item);

    Context& c_;
    DrawingDocument* document_ = nullptr;
    QWidget* client_;
    QWidget* viewport_;
    PlaneWidget* plane_;
    QScrollBar* hScroll_;
    QScrollBar* vScroll_;
    std::unique_ptr<JpegWindow> saveWindow_;
    Menu menu_{};
    PictureProbe probe_;
    PrintServices print_;
    AskFileName askFileName_ = askSaveFileName;
    int sizeItem_ = kSizeStart;  // the checked item of "Grafik-Größe"
    int wheelRest_ = 0;          // wheel movement short of a whole notch
    bool lowMemory_ = false;     // the way down after running out of memory is under way
    bool dragging_ = false;      // the plane is dragged with the left button
    QPoint dragFrom_;            // where the drag started on the screen
    Offset dragStart_;           // and where the plane lay then
};

}  // namespace kw
