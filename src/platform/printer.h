#pragma once
// The printer behind one small service: a page is drawn in twips (1440 to
// the inch) with a current position, a font, one-line texts and rectangle
// outlines; ending the document sends it. The window build prints through
// QPrinter; tests print to a PDF file or record the calls.

#include <QString>
#include <memory>

class QPainter;

namespace zuv {

class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    virtual void setPosition(int xTwips, int yTwips) = 0;
    virtual void setFont(const QString& family, double pointSize, bool bold) = 0;
    // One line of text whose top stands at the current position.
    virtual void printLine(const QString& text) = 0;
    // A black outline.
    virtual void drawBox(int xTwips, int yTwips, int widthTwips, int heightTwips) = 0;
    // A straight black line.
    virtual void drawLine(int x1Twips, int y1Twips, int x2Twips, int y2Twips) = 0;
    // The painter of a real page, for drawings the calls above cannot make
    // (a chart), in the device's own pixels; nullptr on a surface that only
    // records.
    virtual QPainter* painter() { return nullptr; }
};

class PrintJob : public PrintSurface {
public:
    // Ends the page and starts the next; the position goes back to 0, 0.
    virtual void newPage() = 0;
    // Sends the page; false when the printer refused it.
    virtual bool endDocument() = 0;
};

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // Starts a document; nullptr when there is no printer or the user
    // cancelled its dialog (`error` then says which, empty for a cancel).
    virtual std::unique_ptr<PrintJob> beginDocument(const QString& title, QString* error) = 0;
};

// Without a service set every document is refused: there is no printer.
PrinterService& printer();
void setPrinter(PrinterService* service);

} // namespace zuv
