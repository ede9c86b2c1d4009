#pragma once
// A print surface for window tests: keeps every finished line and document instead of printing them.
//
//     auto log = std::make_shared<korvel::ui::test::PrintLog>();
//     printer.setSurfaceFactory(korvel::ui::test::recordingFactory(log));
//     printer.printResults();
//     ASSERT_EQ(log->documents.size(), 1u);
//     EXPECT_EQ(korvel::ui::test::render(log->documents[0][0]), "<12b>Korvel | @7300 <9>Evaluation ...");
//
// The log outlives the surfaces the printer makes (one per print routine); `open` holds the lines of a
// document that was not ended, `surfaces` counts the surfaces made.
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/Numbers.h"
#include "ui/platform/PrintSurface.h"

namespace korvel::ui::test {

struct PrintLog {
    std::vector<std::vector<PrintSurface::Line>> documents;
    std::vector<PrintSurface::Line> open;
    int surfaces = 0;
};

class RecordingPrintSurface : public PrintSurface {
public:
    explicit RecordingPrintSurface(std::shared_ptr<PrintLog> log) : log_(std::move(log)) {}

protected:
    void lineEnded(const Line& line) override { log_->open.push_back(line); }
    void documentEnded() override
    {
        log_->documents.push_back(std::move(log_->open));
        log_->open.clear();
    }

private:
    std::shared_ptr<PrintLog> log_;
};

inline std::function<std::unique_ptr<PrintSurface>(QPrinter&)> recordingFactory(const std::shared_ptr<PrintLog>& log)
{
    return [log](QPrinter&) -> std::unique_ptr<PrintSurface> {
        ++log->surfaces;
        return std::make_unique<RecordingPrintSurface>(log);
    };
}

// One line as text: each piece as "@x " (when it was given a position), "<size" plus b, i, u for bold,
// italic and underline, ">" and its text; pieces joined by " | ". An empty line reads "~size".
inline std::string render(const PrintSurface::Line& line)
{
    if (line.pieces.empty())
        return "~" + num::plainText(line.size);
    std::string out;
    for (const PrintSurface::Piece& p : line.pieces) {
        if (!out.empty())
            out += " | ";
        if (p.x)
            out += "@" + std::to_string(*p.x) + " ";
        out += "<" + num::plainText(p.size) + (p.bold ? "b" : "") + (p.italic ? "i" : "") + (p.underline ? "u" : "") +
               ">" + p.text.toStdString();
    }
    return out;
}

inline std::vector<std::string> render(const std::vector<PrintSurface::Line>& lines)
{
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const PrintSurface::Line& line : lines)
        out.push_back(render(line));
    return out;
}

} // namespace korvel::ui::test
