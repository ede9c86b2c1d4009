#pragma once
// The printer as the reports use it: a font size in points, bold, italic and underline, the horizontal
// position of the next text in twips from the left margin, "print and stay on the line", "print and end
// the line", and "end the document". Lines follow each other from the top of the document; a line break
// (CR LF, or a lone LF or CR) inside a printed text ends the line there, and the rest starts a new line at
// the left margin. A report measures its texts (textWidth) to place a column after the widest text before it.
//
// PrintSurface collects the texts of each line and hands every finished line to its implementation:
// QtPrintSurface lays the lines out on the pages of a QPrinter (a real printer or a PDF file), starting a
// new page when a line would pass the bottom; the window tests use a recording surface.
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

class QFont;
class QPainter;
class QPrinter;

namespace korvel::ui {

// The printer could not be opened or failed while printing.
struct PrintError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class PrintSurface {
public:
    // One text as it was printed: where it starts and in which font.
    struct Piece {
        // Twips from the left margin; nothing when the text follows the one before it on the line (or starts
        // at the left margin when it is the first of its line).
        std::optional<int> x;
        QString text;
        double size = 9.0; // points
        bool bold = false;
        bool italic = false;
        bool underline = false;
    };
    // One finished line. An empty line has no pieces and the height of a line in `size`, the font size in
    // effect when it ended.
    struct Line {
        std::vector<Piece> pieces;
        double size = 9.0;
        // The texts of the line joined, without positions.
        QString text() const;
    };

    virtual ~PrintSurface() = default;

    void setFontSize(double points);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    double fontSize() const { return size_; }
    bool bold() const { return bold_; }
    bool italic() const { return italic_; }
    bool underline() const { return underline_; }

    // The width of text in the font in effect, in twips, as this surface prints it. By default measured in the
    // fonts every report prints (fontFor) at a printer's resolution.
    virtual double textWidth(const QString& text) const;

    // The font of a text in the given style, as every report prints.
    static QFont fontFor(double size, bool bold, bool italic, bool underline);

    // The horizontal position of the next text, in twips from the left margin.
    void setCurrentX(int twips);
    // Prints text and stays after it on the same line.
    void print(const QString& text);
    // Prints text and ends the line (an empty text prints an empty line, or just ends the current one).
    void printLine(const QString& text = QString());
    // Ends the document: the next text starts a new document. A line still open is ended first.
    void endDoc();
    // The last document has ended: whatever is still open (a file the documents went into) is finished. Throws
    // PrintError when the output could not be completed.
    virtual void finish() {}

protected:
    // A line is finished (by a line break, printLine or endDoc).
    virtual void lineEnded(const Line& line) = 0;
    // The document is finished.
    virtual void documentEnded() = 0;

private:
    void append(const QString& segment);
    void finishLine();

    double size_ = 9.0;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    std::optional<int> nextX_;
    Line current_;
};

// The surface over a QPrinter (a real printer or a PDF file). The printer is not owned; its choices
// (printer or output file, paper, margins) are taken as they stand when a document ends. Each document is
// kept until it ends and only then goes to the printer as one print job, so a document that never ends
// (printing stopped by an error) is discarded and nothing of it is printed. When the printer writes to a
// file, the documents of one surface follow each other in that file, each from a new page (a file holds no
// separate jobs); the file is complete when the surface goes away.
//
// Nothing is printed outside the printable area: a text that would run past its right edge is moved left to
// end at the edge when the text before it on the line leaves room, and is otherwise narrowed to the room left
// (a rule of one repeated character across the page keeps its characters and fits between the margins).
class QtPrintSurface : public PrintSurface {
public:
    // One text as it went onto a page: the page (counted from 1 over the surface's life), the box it takes in
    // the printer's device units (the printable area runs from 0, 0 to the printer's width and height) and
    // the text.
    struct Placed {
        int page;
        QRectF box;
        QString text;
    };

    explicit QtPrintSurface(QPrinter& printer);
    ~QtPrintSurface() override;
    QtPrintSurface(const QtPrintSurface&) = delete;
    QtPrintSurface& operator=(const QtPrintSurface&) = delete;

    // Pages printed so far by this surface.
    int pageCount() const { return pages_; }
    // Every text printed so far by this surface, in the order printed.
    const std::vector<Placed>& placed() const { return placed_; }

    double textWidth(const QString& text) const override;
    // Closes the file the documents went into; throws PrintError when it could not be written.
    void finish() override;

protected:
    void lineEnded(const Line& line) override;
    // Prints the document's lines; throws PrintError when the printer cannot be opened.
    void documentEnded() override;

private:
    void startPage(bool newSheet);
    // Draws one line's texts on the line starting at y_, each inside the printable width.
    void drawPieces(const Line& line, double ascent, double height);

    QPrinter& printer_;
    std::unique_ptr<QPainter> painter_; // open between documents only while writing a file
    std::vector<Line> lines_;           // the document being printed
    double y_ = 0.0;                    // device units from the top of the printable area
    int pages_ = 0;
    std::vector<Placed> placed_;
};

} // namespace korvel::ui
