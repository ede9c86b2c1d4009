#include "ui/platform/PrintSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace korvel::ui {

namespace {

constexpr double kTwipsPerInch = 1440.0;

// Splits a text at its line breaks (CR LF, LF or CR): n breaks give n + 1 segments.
QStringList segments(const QString& text)
{
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            out << current;
            current.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            current += c;
        }
    }
    out << current;
    return out;
}

} // namespace

// --- PrintSurface ---------------------------------------------------------------------------------

QString PrintSurface::Line::text() const
{
    QString out;
    for (const Piece& p : pieces)
        out += p.text;
    return out;
}

void PrintSurface::setFontSize(double points)
{
    size_ = points;
}

void PrintSurface::setBold(bool on)
{
    bold_ = on;
}

void PrintSurface::setItalic(bool on)
{
    italic_ = on;
}

void PrintSurface::setUnderline(bool on)
{
    underline_ = on;
}

void PrintSurface::setCurrentX(int twips)
{
    nextX_ = twips;
}

void PrintSurface::print(const QString& text)
{
    const QStringList parts = segments(text);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            finishLine();
        append(parts[i]);
    }
}

void PrintSurface::printLine(const QString& text)
{
    print(text);
    finishLine();
}

void PrintSurface::endDoc()
{
    if (!current_.pieces.empty())
        finishLine();
    nextX_.reset();
    documentEnded();
}

void PrintSurface::append(const QString& segment)
{
    if (segment.isEmpty())
        return;
    current_.pieces.push_back(Piece{nextX_, segment, size_, bold_, italic_, underline_});
    nextX_.reset();
}

void PrintSurface::finishLine()
{
    current_.size = size_;
    Line done = std::move(current_);
    current_ = Line{};
    nextX_.reset(); // a new line starts at the left margin
    lineEnded(done);
}

// --- QtPrintSurface -------------------------------------------------------------------------------

QtPrintSurface::QtPrintSurface(QPrinter& printer) : printer_(printer) {}

QtPrintSurface::~QtPrintSurface()
{
    // A document that did not end is dropped with lines_; a file being written is closed complete.
    if (painter_ && painter_->isActive())
        painter_->end();
}

QFont QtPrintSurface::fontFor(double size, bool bold, bool italic, bool underline)
{
    // Arial, or the first installed face of about its width.
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans Condensed")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(size > 0 ? size : 1.0);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

void QtPrintSurface::lineEnded(const Line& line)
{
    lines_.push_back(line);
}

void QtPrintSurface::startPage(bool newSheet)
{
    if (newSheet && !printer_.newPage())
        throw PrintError("the printer could not start a new page");
    ++pages_;
    y_ = 0.0;
    painter_->setClipRect(QRectF(0, 0, printer_.width(), printer_.height()));
}

void QtPrintSurface::documentEnded()
{
    std::vector<Line> lines = std::move(lines_);
    lines_.clear();
    if (lines.empty())
        return;

    // A file already open holds the documents before this one: this one starts on a new page.
    const bool continuing = painter_ && painter_->isActive();
    if (!continuing) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&printer_))
            throw PrintError("the printer could not be opened");
    }
    startPage(continuing);

    const double dotsPerTwip = printer_.resolution() / kTwipsPerInch;
    const double pageHeight = printer_.height();
    for (const Line& line : lines) {
        double ascent = 0.0;
        double descent = 0.0;
        if (line.pieces.empty()) {
            const QFontMetricsF fm(fontFor(line.size, false, false, false), &printer_);
            ascent = fm.ascent();
            descent = fm.descent();
        }
        for (const Piece& p : line.pieces) {
            const QFontMetricsF fm(fontFor(p.size, p.bold, p.italic, p.underline), &printer_);
            ascent = std::max(ascent, fm.ascent());
            descent = std::max(descent, fm.descent());
        }
        const double height = ascent + descent;
        if (y_ > 0.0 && y_ + height > pageHeight)
            startPage(true);

        double x = 0.0;
        for (const Piece& p : line.pieces) {
            if (p.x)
                x = *p.x * dotsPerTwip;
            const QFont font = fontFor(p.size, p.bold, p.italic, p.underline);
            painter_->setFont(font);
            painter_->drawText(QPointF(x, y_ + ascent), p.text);
            x += QFontMetricsF(font, &printer_).horizontalAdvance(p.text);
        }
        y_ += height;
    }

    if (printer_.outputFileName().isEmpty()) {
        // One print job per document.
        if (!painter_->end())
            throw PrintError("the printer did not take the document");
        painter_.reset();
    }
}

} // namespace korvel::ui
