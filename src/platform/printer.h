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

// Why a document was not printed.
enum class PrintFault {
    // The system has no printer at all.
    NoPrinter,
    // The system has printers, but none of them is its default.
    NoDefaultPrinter,
    // The printer, or the file the pages go to, could not be started.
    NotStarted,
    // The printer did not take the finished document.
    NotSent,
};

struct PrintRefusal {
    PrintFault fault = PrintFault::NoPrinter;
    // The printer's name or the file's path, where there is one.
    QString where;
};

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // Starts a document on the system's default printer, with no dialog;
    // nullptr when it cannot, `why` then saying why.
    virtual std::unique_ptr<PrintJob> beginDocument(const QString& title, PrintRefusal* why) = 0;
};

// Without a service set every document is refused: there is no printer.
PrinterService& printer();
void setPrinter(PrinterService* service);

} // namespace zuv
