// The printed page of a construction on a paged Qt device (a QPrinter of
// the desktop program, the QPdfWriter of tavrel-cli), and the picture of
// the drawing window as an image.
//
// Page units are 0.1 mm with the origin at the top-left corner of the
// printable area, y downwards, as the printer surface wants them; the
// device's resolution turns them into its pixels (resolution / 254 pixels
// per unit), so that a millimetre of the dial is a millimetre on paper.
#pragma once

#include <functional>

#include <QPageLayout>
#include <string>

#include "plot/screen_surface.h"

class QImage;
class QPagedPaintDevice;

namespace tavrel {

class DrawingController;
class QtCanvas;

// What the printer driver would report for the layout at `resolution`
// pixels per inch: printable size in whole millimetres (as the Windows
// GDI gives HORZSIZE and VERTSIZE), printable size in pixels and the
// physical offsets of the printable area, in the layout's orientation.
PrinterDevice printerDeviceOf(const QPageLayout& layout, int resolution);

// Starts `canvas` on a paged device in 0.1 mm units and returns what the
// printer surface needs to know about the page.
bool beginPrinterCanvas(QtCanvas& canvas, QPagedPaintDevice& device, int resolution,
                        PrinterDevice& page);

// The checks before a construction is printed: for 'c', 'h', 'i', 'v' (and
// the cylinder with polar style) a gnomon foot outside the picture asks
// message 15 (Yes cancels); for the other dials temporal hours beyond 63
// degrees of latitude show message 64 and cancel. True: go on.
bool confirmPrintConstruction(const DrawingController& controller);

// The construction on a begun printer canvas: Arial 40 as the page font,
// then the dial with the stored positions rescaled to the page.
void drawConstructionPage(DrawingController& controller, QtCanvas& canvas,
                          const PrinterDevice& page);

// The A4 landscape page without margins that tavrel-cli writes as "the
// printed page".
QPageLayout pdfPageLayout();

// The printed page of the construction as a PDF file (one A4 landscape
// page, 1200 pixels per inch), written under a temporary name and renamed
// when complete. On failure message 53 names the file and false is
// returned.
bool writeConstructionPdf(DrawingController& controller, const std::string& path);

// Any page drawn by `draw` on the printer canvas of that PDF page, written
// the same way.
bool writePdfPage(const std::function<void(QtCanvas&, const PrinterDevice&)>& draw, const std::string& path);

// Bytes of an image as PNG, written the same way.
bool writeImagePng(const QImage& image, const std::string& path);

}  // namespace tavrel
