#include "ui/platform/PrintSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace korvel::ui {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kPointsPerInch = 72.0;
constexpr double kMostLineHeight = 1.15;         // a line's greatest height, in times its font size
constexpr double kMeasuringDotsPerInch = 1200.0; // the resolution texts are measured at without a printer

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

double PrintSurface::textWidth(const QString& text) const
{
    QImage probe(1, 1, QImage::Format_Mono);
    const int dotsPerMeter = static_cast<int>(std::lround(kMeasuringDotsPerInch / 0.0254));
    probe.setDotsPerMeterX(dotsPerMeter);
    probe.setDotsPerMeterY(dotsPerMeter);
    const QFontMetricsF fm(fontFor(size_, bold_, italic_, underline_), &probe);
    return fm.horizontalAdvance(text) * kTwipsPerInch / probe.logicalDpiX();
}

QFont PrintSurface::fontFor(double size, bool bold, bool italic, bool underline)
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

void QtPrintSurface::finish()
{
    if (!painter_ || !painter_->isActive())
        return;
    const bool written = painter_->end();
    painter_.reset();
    if (!written)
        throw PrintError("the file could not be written");
}

double QtPrintSurface::textWidth(const QString& text) const
{
    const QFontMetricsF fm(fontFor(fontSize(), bold(), italic(), underline()), &printer_);
    return fm.horizontalAdvance(text) * kTwipsPerInch / printer_.resolution();
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

    const double pageHeight = printer_.height();
    for (const Line& line : lines) {
        double ascent = 0.0;
        double descent = 0.0;
        double largest = line.pieces.empty() ? line.size : 0.0; // points
        if (line.pieces.empty()) {
            const QFontMetricsF fm(fontFor(line.size, false, false, false), &printer_);
            ascent = fm.ascent();
            descent = fm.descent();
        }
        for (const Piece& p : line.pieces) {
            const QFontMetricsF fm(fontFor(p.size, p.bold, p.italic, p.underline), &printer_);
            ascent = std::max(ascent, fm.ascent());
            descent = std::max(descent, fm.descent());
            largest = std::max(largest, p.size);
        }
        // A line takes its font's height, but never more than Arial's with its leading: a face standing in
        // for Arial with more generous spacing does not push the reports onto more pages.
        const double most = kMostLineHeight * largest / kPointsPerInch * printer_.resolution();
        if (ascent + descent > most) {
            const double shrink = most / (ascent + descent);
            ascent *= shrink;
            descent *= shrink;
        }
        const double height = ascent + descent;
        if (y_ > 0.0 && y_ + height > pageHeight)
            startPage(true);

        drawPieces(line, ascent, height);
        y_ += height;
    }

    if (printer_.outputFileName().isEmpty()) {
        // One print job per document.
        if (!painter_->end())
            throw PrintError("the printer did not take the document");
        painter_.reset();
    }
}

void QtPrintSurface::drawPieces(const Line& line, double ascent, double height)
{
    const double baseline = y_ + ascent;
    const double dotsPerTwip = printer_.resolution() / kTwipsPerInch;
    const double right = printer_.width();
    double x = 0.0;
    double end = 0.0; // where the text before this one on the line ends
    for (const Piece& p : line.pieces) {
        if (p.x)
            x = *p.x * dotsPerTwip;
        const QFont font = fontFor(p.size, p.bold, p.italic, p.underline);
        const double width = QFontMetricsF(font, &printer_).horizontalAdvance(p.text);
        // Past the right edge: moved left as far as the text before it allows, then narrowed to the room left.
        if (x + width > right)
            x = std::max(end, right - width);
        const double room = std::max(0.0, right - x);
        const double scale = width > room ? room / width : 1.0;
        painter_->setFont(font);
        painter_->save();
        painter_->translate(x, baseline);
        painter_->scale(scale, 1.0);
        painter_->drawText(QPointF(0.0, 0.0), p.text);
        painter_->restore();
        placed_.push_back(Placed{pages_, QRectF(x, y_, width * scale, height), p.text});
        x += width * scale;
        end = x;
    }
}

} // namespace korvel::ui
